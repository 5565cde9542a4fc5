// Paints the library map (see model/library_map.h): coastlines, each
// reference coloured by its evidence for the winning year, the best one
// ringed and named, a legend, and the note that a place is a hint.
#pragma once

#include <vector>

#include <QRectF>

#include "hosts/window/model/coastlines.h"
#include "hosts/window/model/library_map.h"

class QPainter;

namespace veska::window {

// The world's coastlines, read once for the program (empty when the
// coastline package is not installed).
const std::vector<Coastline>& worldCoastlines();

inline constexpr const char* kMapHint =
    "A hint, not proof: the best reference often grew near the wood, but a shared climate can match far away.";

void paintLibraryMap(QPainter& painter, const QRectF& area, const LibraryMap& map,
                     const std::vector<Coastline>& coastlines);

}  // namespace veska::window
