// Plain test and byte rotations of the scrambled file form.
#include "platform/scramble_layout.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <numeric>

namespace vemo {
namespace {

constexpr std::array<RotationPass, 2> kPasses{kScramblePass1, kScramblePass2};

constexpr int highest_position() {
  int highest = 0;
  for (const RotationPass& pass : kPasses) {
    highest = std::max({highest, pass.p + pass.count, pass.q + pass.count, pass.r + pass.count});
  }
  return highest;
}

// How often each file position (1-based) is touched by the passes.
constexpr std::array<int, kLayoutLength + 1> position_uses() {
  std::array<int, kLayoutLength + 1> uses{};
  for (const RotationPass& pass : kPasses) {
    for (int k = 0; k <= pass.count; ++k) {
      ++uses[pass.p + k];
      ++uses[pass.q + k];
      ++uses[pass.r + k];
    }
  }
  return uses;
}

constexpr bool no_byte_in_two_triples() {
  const auto uses = position_uses();
  return std::all_of(uses.begin(), uses.end(), [](int n) { return n <= 1; });
}

constexpr bool pass_touches_plain_test(const RotationPass& pass) {
  for (int k = 0; k <= pass.count; ++k) {
    for (int position : {pass.p + k, pass.q + k, pass.r + k}) {
      if (position <= kPlainTestLength) return true;
    }
  }
  return false;
}

static_assert(highest_position() == kLayoutLength);
static_assert(no_byte_in_two_triples());
static_assert(pass_touches_plain_test(kScramblePass1));
// Pass 2 stays out of the first ten bytes, so pass 1 alone decides the scrambled sum.
static_assert(!pass_touches_plain_test(kScramblePass2));

// p takes r's byte, q takes p's byte, r takes q's byte.
void rotate_from_r(unsigned char& p, unsigned char& q, unsigned char& r) {
  const unsigned char old_p = p;
  p = r;
  r = q;
  q = old_p;
}

// p takes q's byte, q takes r's byte, r takes p's byte.
void rotate_from_q(unsigned char& p, unsigned char& q, unsigned char& r) {
  const unsigned char old_p = p;
  p = q;
  q = r;
  r = old_p;
}

void run_pass(const RotationPass& pass, bool from_r, unsigned char* file_start) {
  for (int k = 0; k <= pass.count; ++k) {
    unsigned char& p = file_start[pass.p - 1 + k];
    unsigned char& q = file_start[pass.q - 1 + k];
    unsigned char& r = file_start[pass.r - 1 + k];
    from_r ? rotate_from_r(p, q, r) : rotate_from_q(p, q, r);
  }
}

QByteArray read_head(QFile& file) { return file.read(kLayoutLength); }

std::span<const unsigned char> as_bytes(const QByteArray& bytes) {
  return {reinterpret_cast<const unsigned char*>(bytes.constData()),
          static_cast<std::size_t>(bytes.size())};
}

}  // namespace

int plain_test_sum(std::span<const unsigned char> head) {
  const auto ten = head.first(std::min<std::size_t>(head.size(), kPlainTestLength));
  return std::accumulate(ten.begin(), ten.end(), 0);
}

bool passes_plain_test(std::span<const unsigned char> head) {
  return plain_test_sum(head) == kPlainSum;
}

FileForm head_form(std::span<const unsigned char> head) {
  if (head.size() < static_cast<std::size_t>(kLayoutLength)) return FileForm::Short;
  if (passes_plain_test(head)) return FileForm::Plain;
  std::array<unsigned char, kLayoutLength> restored{};
  std::copy_n(head.begin(), kLayoutLength, restored.begin());
  rotate_bytes(Rotation::Restore, restored, 0);
  return passes_plain_test(restored) ? FileForm::Scrambled : FileForm::Unknown;
}

bool touches_layout(std::int64_t offset, std::int64_t length) {
  static constexpr auto uses = position_uses();
  const std::int64_t end = std::min<std::int64_t>(offset + length, kLayoutLength);
  for (std::int64_t index = std::max<std::int64_t>(offset, 0); index < end; ++index) {
    if (uses[index + 1] != 0) return true;
  }
  return false;
}

void copy_rotated_positions(std::span<const unsigned char> from, std::int64_t from_offset,
                            std::span<unsigned char> to, std::int64_t to_offset) {
  static constexpr auto uses = position_uses();
  for (std::int64_t index = 0; index < kLayoutLength; ++index) {
    if (uses[index + 1] == 0) continue;
    const std::int64_t in_from = index - from_offset;
    const std::int64_t in_to = index - to_offset;
    if (in_from < 0 || in_to < 0 || in_from >= static_cast<std::int64_t>(from.size()) ||
        in_to >= static_cast<std::int64_t>(to.size())) {
      continue;
    }
    to[in_to] = from[in_from];
  }
}

bool rotate_bytes(Rotation rotation, std::span<unsigned char> bytes, std::int64_t file_offset) {
  if (file_offset != 0 || bytes.size() < static_cast<std::size_t>(kLayoutLength)) {
    // Every triple reaches back to position 1, so only a buffer from the file's start
    // can hold them all.
    return false;
  }
  const bool scramble = rotation == Rotation::Scramble;
  run_pass(kScramblePass1, scramble, bytes.data());
  run_pass(kScramblePass2, !scramble, bytes.data());
  return true;
}

int plain_test_sum(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  return plain_test_sum(as_bytes(read_head(file)));
}

FileForm file_form(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return FileForm::Short;
  return head_form(as_bytes(read_head(file)));
}

bool rotate_file(Rotation rotation, const QString& path, QString* why) {
  QFile file(path);
  if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
    *why = "cannot open for writing: " + file.errorString();
    return false;
  }
  QByteArray head = read_head(file);
  if (head.size() < kLayoutLength) {
    *why = QString("shorter than %1 bytes").arg(kLayoutLength);
    return false;
  }
  rotate_bytes(
      rotation,
      {reinterpret_cast<unsigned char*>(head.data()), static_cast<std::size_t>(kLayoutLength)}, 0);
  if (!file.seek(0) || file.write(head) != kLayoutLength || !file.flush()) {
    *why = "write failed: " + file.errorString();
    return false;
  }
  return true;
}

}  // namespace vemo
