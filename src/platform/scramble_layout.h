// The scrambled on-disk form of database files: the plain test and the two byte rotations.
#pragma once

#include <QString>

#include <cstdint>
#include <span>

namespace vemo {

// The plain test adds the first ten bytes; a plain database file starts "SQLite for".
inline constexpr int kPlainTestLength = 10;
inline constexpr int kPlainSum = 921;

// One rotation pass: for k = 0..count the single bytes at positions p+k, q+k and r+k
// (file positions counted from 1) are rotated among themselves.
struct RotationPass {
  int count;
  int p;
  int q;
  int r;
};

// Every position holds a byte the database engine writes identically into every file:
// "SQLite format 3" (1-15), the payload fractions 64 and 32 (22, 23) and the reserved,
// always-zero bytes (73-77). Within each triple the three bytes differ, so every rotation
// moves every byte; pass 1 puts zeros into positions 1-3, so the plain-test sum of a
// scrambled file is always 921 - ('S' + 'Q' + 'L') = 681.
inline constexpr RotationPass kScramblePass1{2, 1, 11, 73};
inline constexpr RotationPass kScramblePass2{1, 14, 22, 76};

// Bytes 1..kLayoutLength hold every position the passes touch; shorter files are left alone.
inline constexpr int kLayoutLength = 77;

enum class Rotation { Scramble, Restore };

// The form of a file judged by its first kLayoutLength bytes.
enum class FileForm {
  Short,      // missing, unreadable or shorter than kLayoutLength: never rotated
  Plain,      // passes the plain test
  Scrambled,  // fails the plain test, and restoring it would pass
  Unknown,    // neither: not a database file, or a damaged one
};

// Sum of the first ten bytes (of as many as there are).
int plain_test_sum(std::span<const unsigned char> head);
bool passes_plain_test(std::span<const unsigned char> head);
FileForm head_form(std::span<const unsigned char> head);

// True when the file bytes [offset, offset + length) hold any rotated position.
bool touches_layout(std::int64_t offset, std::int64_t length);

// Runs both passes over bytes that hold the file from file_offset on. Gives false and
// leaves the bytes alone unless they hold every rotated position.
bool rotate_bytes(Rotation rotation, std::span<unsigned char> bytes, std::int64_t file_offset);

// Copies the rotated positions that both buffers hold, each buffer holding the file from
// its offset on: how a read or write of part of the file takes the bytes of the other form.
void copy_rotated_positions(std::span<const unsigned char> from, std::int64_t from_offset,
                            std::span<unsigned char> to, std::int64_t to_offset);

// The same on files. A missing or unreadable file sums to 0.
int plain_test_sum(const QString& path);
FileForm file_form(const QString& path);

// Rotates a file in place with one write of its first kLayoutLength bytes, so a crash
// leaves it in one form or the other. Never creates a file. On failure gives false and
// the reason in *why.
bool rotate_file(Rotation rotation, const QString& path, QString* why);

}  // namespace vemo
