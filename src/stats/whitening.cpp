#include "stats/whitening.h"

#include "stats/prewhiten.h"

namespace veska::stats {

ArModel whiten(std::span<float> x, WhiteningWork& work) {
  const ArModel model = fitArModel(x, kOrdersWeighed, work.ar);
  if (model.order >= 1) prewhiten(x, work.extended, model.order, model.coefficients);
  return model;
}

}  // namespace veska::stats
