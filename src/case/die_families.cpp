#include "fluxeta/case/die_families.h"

namespace fluxeta::cases {

const DieFamilySpec* FindDieFamily(std::string_view name) {
  for (const DieFamilySpec& row : kDieFamilies) {
    if (row.name == name) {
      return &row;
    }
  }
  return nullptr;
}

const DieFamilySpec& DieFamilyRow(DieFamily family) {
  for (const DieFamilySpec& row : kDieFamilies) {
    if (row.family == family) {
      return row;
    }
  }
  // Every family has its row: the table is the list of families.
  return kDieFamilies.front();
}

const ManifoldShapeSpec* FindManifoldShape(std::string_view name) {
  for (const ManifoldShapeSpec& row : kManifoldShapes) {
    if (row.name == name) {
      return &row;
    }
  }
  return nullptr;
}

const ManifoldShapeSpec& ManifoldShapeRow(ManifoldShape shape) {
  for (const ManifoldShapeSpec& row : kManifoldShapes) {
    if (row.shape == shape) {
      return row;
    }
  }
  return kManifoldShapes.front();
}

std::string_view FeedName(DieFeed feed) {
  return feed == DieFeed::Centre ? "centre" : "end";
}

}  // namespace fluxeta::cases
