// The workbench's Liquid tab: the liquid of the Die tab's die, by its model and parameters
// (from the table of liquid models, with units and plausible ranges) and an optional
// temperature shift; its flow curve on log–log axes with the shear rates of the last solved
// die marked; a measured flow curve read from CSV, drawn over the model and fitted to it.
// The project keeps the liquid under "liquid"; a measured curve stays out of it.
#pragma once

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/case/liquid_document.h"
#include "fluxeta/liquids/flow_curve_fit.h"
#include "fluxeta/solver/die_shear_rates.h"
#include "presenter.h"
#include "project_part.h"

namespace fluxeta::ui {

class FlowCurveChart;

class LiquidTab : public QWidget, public ProjectPart {
  Q_OBJECT

 public:
  // Numbers are typed and shown with `separator`, as in the main window's boxes.
  LiquidTab(Presenter& presenter, char separator, QWidget* parent = nullptr);

  // The liquid as the boxes hold it, as a die document's "fluid": each parameter the number
  // its box reads as, or the box's text where it reads as none. For the Die tab and the
  // project file.
  nlohmann::json DocumentState() const;
  // Fills the boxes from a "fluid" (a state of DocumentState or a liquid document); keys it
  // lacks keep their boxes. Raises DocumentError naming "fluid.model" or
  // "fluid.temperature.law" for a name that is no model or law, and then changes nothing.
  void SetDocumentState(const nlohmann::json& fluid);

  // The liquid of the boxes as the die document reads it; nothing, with the first refusal
  // (naming the key, "fluid.eta0 …") in `refusal`, when a box is refused.
  std::optional<cases::LiquidDocument> CheckedLiquid(QString* refusal) const;

  void SetModel(std::string_view name);
  // The temperature law by name; an empty name leaves the liquid at one temperature.
  void SetTemperatureLaw(std::string_view name);
  // The box of a parameter by its key path ("fluid.eta0", "fluid.temperature.C1").
  void SetBox(const std::string& keyPath, const QString& text);
  QLineEdit* Box(const std::string& keyPath) const;

  // Reads a measured flow curve (shear rate, viscosity and optionally temperature a line);
  // false, having said why, when it cannot be read.
  bool LoadMeasured(const QString& path);
  // Fits the chosen model to the measured points and puts the fit in the boxes; false,
  // having said why, without points or when the model cannot be fitted.
  bool Fit();
  // The shear rates of the last solved die, drawn as bands.
  void ShowShearRates(const solver::DieShearRates& rates);
  // Redraws the curve at once rather than after the typing pause.
  void RedrawNow();

  const FlowCurveChart& Chart() const { return *chart_; }
  const std::vector<liquids::FlowCurvePoint>& Measured() const { return measured_; }
  const std::optional<liquids::FlowCurveFit>& LastFit() const { return fit_; }
  QString FitText() const { return fitLabel_->text(); }
  QString StatusText() const { return status_->text(); }
  QString ShearRatesText() const { return ratesLabel_->text(); }

  // "liquid": the DocumentState. A section must hold every parameter of its model and law
  // and nothing else. Putting a project in place drops the measured curve and its fit.
  std::string ProjectKey() const override;
  nlohmann::json SaveProject() const override { return DocumentState(); }
  std::function<void()> ReadProject(const nlohmann::json& section,
                                    const std::string& path) override;
  void ClearProject() override;
  void WatchProject(const std::function<void()>& changed) override;

 signals:
  // The liquid of the boxes changed.
  void changed();

 private:
  struct Field {
    std::string keyPath;
    QString unit;
    QString help;
    double plausibleLow;
    double plausibleHigh;
    QLineEdit* edit;
  };

  void BuildBoxes();
  void AddBox(QFormLayout& form, const std::string& keyPath,
              const cases::LiquidParameterSpec& spec);
  void Edited();
  void Redraw();
  void ChooseMeasured();
  std::string ModelName() const;
  std::string LawName() const;
  void DropMeasured();

  Presenter& presenter_;
  char separator_;
  QComboBox* model_;
  QLabel* formula_;
  QWidget* parameters_;
  QComboBox* law_;
  QWidget* temperature_;
  QLabel* status_;
  QPushButton* loadButton_;
  QPushButton* fitButton_;
  QLabel* fitLabel_;
  QLabel* ratesLabel_;
  FlowCurveChart* chart_;
  QTimer redrawTimer_;
  std::vector<Field> boxes_;
  // The texts typed per key path, kept while another model or law is chosen.
  std::map<std::string, QString> texts_;
  // What a new project finds: the state and the texts of every model and law.
  nlohmann::json firstState_;
  std::map<std::string, QString> firstTexts_;
  std::string name_;    // the document's "name", carried through
  std::string source_;  // the document's "source", carried through
  std::vector<liquids::FlowCurvePoint> measured_;
  QString measuredName_;
  std::optional<liquids::FlowCurveFit> fit_;
};

}  // namespace fluxeta::ui
