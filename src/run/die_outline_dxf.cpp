#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include <dxflib/dl_dxf.h>

#include "fluxeta/base/errors.h"
#include "fluxeta/base/io_error_code.h"
#include "fluxeta/run/die_exports.h"

namespace fluxeta::run {

namespace {

constexpr const char* kExitLayer = "EXIT";
constexpr const char* kLandEdgeLayer = "LAND_EDGE";
constexpr const char* kCentreLayer = "MANIFOLD_CENTRE";
constexpr const char* kEdgeLayer = "MANIFOLD_EDGE";
constexpr const char* kContinuous = "CONTINUOUS";
// AutoCAD colour indices, and the entity colour that follows its layer.
constexpr int kWhite = 7, kRed = 1, kBlue = 5, kGreen = 3, kByLayer = 256;
constexpr int kDefaultWidth = -1;
constexpr int kOpenPolyline = 0;
// A whole DXF file ends with this group.
constexpr std::string_view kEndOfFile = "EOF\n";

void WritePolyline(DL_Dxf& dxf, DL_WriterA& writer, const char* layer, const std::vector<double>& x,
                   const std::vector<double>& y) {
  const DL_Attributes attributes(layer, kByLayer, kDefaultWidth, "BYLAYER", 1.0);
  dxf.writePolyline(writer, DL_PolylineData(static_cast<int>(x.size()), 0, 0, kOpenPolyline),
                    attributes);
  for (std::size_t k = 0; k < x.size(); ++k) {
    dxf.writeVertex(writer, DL_VertexData(x[k], y[k]));
  }
  dxf.writePolylineEnd(writer);
}

void WriteDrawing(DL_Dxf& dxf, DL_WriterA& writer, const solver::DieOutline& outline) {
  dxf.writeHeader(writer);
  writer.sectionEnd();
  writer.sectionTables();
  dxf.writeVPort(writer);
  writer.tableLinetypes(1);
  dxf.writeLinetype(writer, DL_LinetypeData(kContinuous, "Solid line", 0, 0, 0.0));
  writer.tableEnd();
  const std::pair<const char*, int> layers[] = {{"0", kWhite},
                                                {kExitLayer, kWhite},
                                                {kLandEdgeLayer, kRed},
                                                {kCentreLayer, kBlue},
                                                {kEdgeLayer, kGreen}};
  writer.tableLayers(static_cast<int>(std::size(layers)));
  for (const auto& [name, colour] : layers) {
    dxf.writeLayer(writer, DL_LayerData(name, 0),
                   DL_Attributes("", colour, kDefaultWidth, kContinuous, 1.0));
  }
  writer.tableEnd();
  writer.sectionEnd();

  writer.sectionEntities();
  dxf.writeLine(writer, DL_LineData(0, 0, 0, outline.width, 0, 0),
                DL_Attributes(kExitLayer, kByLayer, kDefaultWidth, "BYLAYER", 1.0));
  std::vector<double> centre, edge;
  for (std::size_t k = 0; k < outline.x.size(); ++k) {
    centre.push_back(outline.land[k] + outline.depth[k] / 2);
    edge.push_back(outline.land[k] + outline.depth[k]);
  }
  WritePolyline(dxf, writer, kLandEdgeLayer, outline.x, outline.land);
  WritePolyline(dxf, writer, kCentreLayer, outline.x, centre);
  WritePolyline(dxf, writer, kEdgeLayer, outline.x, edge);
  if (outline.circular) {
    // The cross-section at both edges and in the middle, where a centre feed enters.
    const std::size_t last = outline.x.size() - 1;
    for (const std::size_t k : {std::size_t{0}, last / 2, last}) {
      dxf.writeCircle(writer, DL_CircleData(outline.x[k], centre[k], 0, outline.radius[k]),
                      DL_Attributes(kCentreLayer, kByLayer, kDefaultWidth, "BYLAYER", 1.0));
    }
  }
  writer.sectionEnd();
  writer.dxfEOF();
}

// dxflib writes to a named file only: a private one, removed again.
class ScratchFile {
 public:
  ScratchFile() {
    std::string name = (std::filesystem::temp_directory_path() / "fluxeta-dxf-XXXXXX").string();
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) {
      throw base::InputOutputError(base::InputOutputErrorCode(errno));
    }
    ::close(descriptor);
    name_ = name;
  }
  ~ScratchFile() { ::unlink(name_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  const std::string& name() const { return name_; }

 private:
  std::string name_;
};

}  // namespace

std::string DieOutlineDxf(const solver::DieOutline& outline) {
  const ScratchFile scratch;
  DL_Dxf dxf;
  {
    const std::unique_ptr<DL_WriterA> writer(dxf.out(scratch.name().c_str(), DL_VERSION_R12));
    if (!writer) {
      throw base::InputOutputError(base::InputOutputErrorCode(EIO));
    }
    WriteDrawing(dxf, *writer, outline);
    writer->close();
  }
  std::ifstream file(scratch.name(), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  const std::string drawing = bytes.str();
  // dxflib does not report a failed write: a drawing cut short lacks its end.
  if (!file || drawing.size() < kEndOfFile.size() ||
      drawing.compare(drawing.size() - kEndOfFile.size(), kEndOfFile.size(), kEndOfFile) != 0) {
    throw base::InputOutputError(base::InputOutputErrorCode(EIO));
  }
  return drawing;
}

}  // namespace fluxeta::run
