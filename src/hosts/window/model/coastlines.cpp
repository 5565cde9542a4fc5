#include "hosts/window/model/coastlines.h"

#include <cmath>
#include <fstream>
#include <iterator>

namespace veska::window {
namespace {

constexpr std::size_t kPhysical = 3072;  // bytes of a physical record
constexpr int kCells = 180 * 360;

class CellReader {
 public:
  CellReader(std::string_view bytes, std::size_t logical) : bytes_(bytes), logical_(logical), perPhysical_(kPhysical / logical) {}

  // Start of logical record `number` (from 1).
  bool seek(std::size_t number) {
    record_ = ((number - 1) / perPhysical_) * kPhysical + ((number - 1) % perPhysical_) * logical_;
    at_ = 0;
    return record_ + logical_ <= bytes_.size();
  }
  bool good() const { return record_ + logical_ <= bytes_.size(); }
  unsigned byte(std::size_t k) const { return static_cast<unsigned char>(bytes_[record_ + at_ + k]); }
  // The position in this record where its data stops (0: it fills the record).
  unsigned stop() const { return static_cast<unsigned char>(bytes_[record_ + logical_ - 4]); }
  bool atStop() const { return (at_ + 1) % logical_ == stop(); }
  bool pastStop() const { return stop() != 0 && (at_ + 1) % logical_ > stop(); }
  bool atRecordEnd() const { return at_ == logical_ - 4; }
  bool next() {
    const std::size_t n = (static_cast<std::size_t>(static_cast<unsigned char>(bytes_[record_ + logical_ - 3])) << 16) |
                          (static_cast<std::size_t>(static_cast<unsigned char>(bytes_[record_ + logical_ - 2])) << 8) |
                          static_cast<unsigned char>(bytes_[record_ + logical_ - 1]);
    return n > 0 && seek(n);
  }
  // Two bytes on; into the next record of the chain at a record's end.
  bool advance() {
    at_ += 2;
    return !atRecordEnd() || next();
  }
  std::size_t at_ = 0;

 private:
  std::string_view bytes_;
  std::size_t logical_;
  std::size_t perPhysical_;
  std::size_t record_ = 0;
};

// Collects the points into polylines, keeping a point only when it lies
// minStep or more from the last one kept; a segment's last point is kept.
class Segments {
 public:
  Segments(std::vector<Coastline>& out, float minStep, double unit) : out_(out), minStep_(minStep), unit_(unit) {}
  void point(long lat, long lon, bool continues) {
    if (!continues) close();
    last_ = {static_cast<float>(lat / unit_ - 90.0), static_cast<float>(lon / unit_ - 180.0)};
    pending_ = true;
    if (current_.empty() || std::fabs(last_.latitude - current_.back().latitude) >= minStep_ ||
        std::fabs(last_.longitude - current_.back().longitude) >= minStep_) {
      current_.push_back(last_);
      pending_ = false;
    }
  }
  void close() {
    if (pending_) current_.push_back(last_);
    if (current_.size() >= 2) out_.push_back(std::move(current_));
    current_.clear();
    pending_ = false;
  }

 private:
  std::vector<Coastline>& out_;
  Coastline current_;
  LatLon last_;
  bool pending_ = false;
  float minStep_;
  double unit_;
};

// One cell's segments; false when its records run outside the file.
bool decodeCell(CellReader& r, long cellLat, long cellLon, double unit, Segments& segments) {
  long lat = 0, lon = 0;
  for (;;) {
    if (!r.good()) return false;
    const unsigned count = (r.byte(0) % 128) * 4 + r.byte(1) / 64 + 1;
    const bool continues = r.byte(0) / 128 != 0;
    long latOffset = continues ? static_cast<long>((r.byte(1) % 64) / 8) << 16 : 0;
    long lonOffset = continues ? static_cast<long>(r.byte(1) % 8) << 16 : 0;
    if (!r.advance()) return false;
    latOffset += r.byte(0) * 256 + r.byte(1);
    if (!r.advance()) return false;
    lonOffset += r.byte(0) * 256 + r.byte(1);
    if (continues) {
      lat += latOffset - 262144;
      lon += lonOffset - 262144;
    } else {
      lat = static_cast<long>(cellLat * unit) + latOffset;
      lon = static_cast<long>(cellLon * unit) + lonOffset;
    }
    r.at_ += 2;
    if (r.pastStop()) return true;  // the cell's data ended before this header
    if (r.atRecordEnd() && r.stop() == 0 && !r.next()) return false;
    segments.point(lat, lon, continues);
    bool end = r.atStop();
    for (unsigned k = 2; k <= count; ++k) {
      lat += static_cast<long>(r.byte(0)) - 128;
      lon += static_cast<long>(r.byte(1)) - 128;
      segments.point(lat, lon, true);
      r.at_ += 2;
      end = r.atStop();
      if (end) break;
      if (r.atRecordEnd() && !r.next()) return false;
    }
    if (end) return true;
  }
}

}  // namespace

std::vector<Coastline> decodeCoastlines(std::string_view bytes, float minStep) {
  std::vector<Coastline> out;
  if (bytes.size() < kPhysical) return out;
  const std::size_t logical = static_cast<unsigned char>(bytes[3]);
  const unsigned tenths = static_cast<unsigned char>(bytes[5]);
  // Only files of the whole world (the bounds left 0) are read.
  bool world = logical >= 16 && logical <= kPhysical && tenths >= 1;
  for (int k = 6; k < 14; ++k) world = world && bytes[static_cast<std::size_t>(k)] == 0;
  if (!world) return out;
  const double unit = 3600.0 * tenths;
  const std::size_t mapRecords = (kCells - 1) / (logical * 8) + 2;
  CellReader reader(bytes, logical);
  Segments segments(out, minStep, unit);
  for (int cell = 0; cell < kCells; ++cell) {
    const std::size_t bit = static_cast<std::size_t>(cell) + logical * 8;
    if (bit / 8 >= bytes.size()) break;
    if (!(static_cast<unsigned char>(bytes[bit / 8]) & (0x80u >> (bit % 8)))) continue;
    if (!reader.seek(static_cast<std::size_t>(cell) + 1 + mapRecords)) break;
    const bool whole = decodeCell(reader, cell / 360, cell % 360, unit, segments);
    segments.close();
    if (!whole) break;
  }
  return out;
}

std::vector<Coastline> loadCoastlines(const std::string& path, float minStep) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return decodeCoastlines(bytes, minStep);
}

}  // namespace veska::window
