// The scrambling file layer: an SQLite VFS over the default one. Main database files are
// decoded on read and kept in their on-disk form on write; every other file passes through.
#include "platform/scramble_vfs.h"

#include "platform/log.h"
#include "platform/scramble_layout.h"

#include <sqlite3.h>

#include <array>
#include <cstring>
#include <vector>

namespace vemo {
namespace {

constexpr const char* kVfsName = "vemo-scramble";

// Our file object; the underlying VFS's file object follows it in the same allocation.
struct ScrambleFile {
  sqlite3_file base;
  sqlite3_file* real;
  bool main_db;
};

sqlite3_vfs* root_vfs(sqlite3_vfs* vfs) { return static_cast<sqlite3_vfs*>(vfs->pAppData); }

sqlite3_file* real_file(sqlite3_file* file) { return reinterpret_cast<ScrambleFile*>(file)->real; }

using Head = std::array<unsigned char, kLayoutLength>;

// The form the file has on disk right now. The form is read at every access, because the
// scrambling procedures change it underneath open connections.
FileForm read_disk_head(sqlite3_file* real, Head& head) {
  const int rc = real->pMethods->xRead(real, head.data(), kLayoutLength, 0);
  if (rc != SQLITE_OK) return FileForm::Short;
  return head_form(head);
}

int shim_close(sqlite3_file* file) {
  sqlite3_file* real = real_file(file);
  return real->pMethods ? real->pMethods->xClose(real) : SQLITE_OK;
}

int shim_read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
  auto* self = reinterpret_cast<ScrambleFile*>(file);
  const int rc = self->real->pMethods->xRead(self->real, buffer, amount, offset);
  if (!self->main_db || (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ) ||
      !touches_layout(offset, amount)) {
    return rc;
  }
  std::span<unsigned char> window(static_cast<unsigned char*>(buffer), amount);
  Head head;
  FileForm form;
  if (offset == 0 && rc == SQLITE_OK && amount >= kLayoutLength) {
    std::memcpy(head.data(), buffer, kLayoutLength);
    form = head_form(head);
  } else {
    form = read_disk_head(self->real, head);
  }
  if (form != FileForm::Scrambled) return rc;
  rotate_bytes(Rotation::Restore, head, 0);
  copy_rotated_positions(head, 0, window, offset);
  return rc;
}

int shim_write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
  auto* self = reinterpret_cast<ScrambleFile*>(file);
  const auto* methods = self->real->pMethods;
  if (!self->main_db || !touches_layout(offset, amount)) {
    return methods->xWrite(self->real, buffer, amount, offset);
  }
  Head head;
  if (read_disk_head(self->real, head) != FileForm::Scrambled) {
    return methods->xWrite(self->real, buffer, amount, offset);
  }
  // The engine writes plain bytes; put them into the plain head, scramble it, and write
  // the scrambled positions in their place so the file keeps its form.
  const auto* plain = static_cast<const unsigned char*>(buffer);
  rotate_bytes(Rotation::Restore, head, 0);
  copy_rotated_positions({plain, static_cast<std::size_t>(amount)}, offset, head, 0);
  rotate_bytes(Rotation::Scramble, head, 0);
  std::vector<unsigned char> scrambled(plain, plain + amount);
  copy_rotated_positions(head, 0, scrambled, offset);
  int rc = methods->xWrite(self->real, scrambled.data(), amount, offset);
  const bool covers_head = offset == 0 && amount >= kLayoutLength;
  if (rc == SQLITE_OK && !covers_head) {
    // A partial write moved bytes of triples it does not hold; the engine writes whole
    // pages, so this is only for safety.
    rc = methods->xWrite(self->real, head.data(), kLayoutLength, 0);
  }
  return rc;
}

int shim_truncate(sqlite3_file* file, sqlite3_int64 size) {
  sqlite3_file* real = real_file(file);
  return real->pMethods->xTruncate(real, size);
}

int shim_sync(sqlite3_file* file, int flags) {
  sqlite3_file* real = real_file(file);
  return real->pMethods->xSync(real, flags);
}

int shim_file_size(sqlite3_file* file, sqlite3_int64* size) {
  sqlite3_file* real = real_file(file);
  return real->pMethods->xFileSize(real, size);
}

int shim_lock(sqlite3_file* file, int level) {
  sqlite3_file* real = real_file(file);
  return real->pMethods->xLock(real, level);
}

int shim_unlock(sqlite3_file* file, int level) {
  sqlite3_file* real = real_file(file);
  return real->pMethods->xUnlock(real, level);
}

int shim_check_reserved_lock(sqlite3_file* file, int* result) {
  sqlite3_file* real = real_file(file);
  return real->pMethods->xCheckReservedLock(real, result);
}

int shim_file_control(sqlite3_file* file, int op, void* arg) {
  sqlite3_file* real = real_file(file);
  return real->pMethods->xFileControl(real, op, arg);
}

int shim_sector_size(sqlite3_file* file) {
  sqlite3_file* real = real_file(file);
  return real->pMethods->xSectorSize(real);
}

int shim_device_characteristics(sqlite3_file* file) {
  sqlite3_file* real = real_file(file);
  return real->pMethods->xDeviceCharacteristics(real);
}

int shim_shm_map(sqlite3_file* file, int region, int size, int extend, void volatile** memory) {
  sqlite3_file* real = real_file(file);
  if (real->pMethods->iVersion < 2) return SQLITE_IOERR_SHMMAP;
  return real->pMethods->xShmMap(real, region, size, extend, memory);
}

int shim_shm_lock(sqlite3_file* file, int offset, int count, int flags) {
  sqlite3_file* real = real_file(file);
  if (real->pMethods->iVersion < 2) return SQLITE_IOERR_SHMLOCK;
  return real->pMethods->xShmLock(real, offset, count, flags);
}

void shim_shm_barrier(sqlite3_file* file) {
  sqlite3_file* real = real_file(file);
  if (real->pMethods->iVersion >= 2) real->pMethods->xShmBarrier(real);
}

int shim_shm_unmap(sqlite3_file* file, int delete_flag) {
  sqlite3_file* real = real_file(file);
  if (real->pMethods->iVersion < 2) return SQLITE_OK;
  return real->pMethods->xShmUnmap(real, delete_flag);
}

int shim_fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** pointer) {
  auto* self = reinterpret_cast<ScrambleFile*>(file);
  // A memory map would hand the engine the bytes as they are on disk: main database
  // files are always read through shim_read instead.
  if (self->main_db || self->real->pMethods->iVersion < 3) {
    *pointer = nullptr;
    return SQLITE_OK;
  }
  return self->real->pMethods->xFetch(self->real, offset, amount, pointer);
}

int shim_unfetch(sqlite3_file* file, sqlite3_int64 offset, void* pointer) {
  sqlite3_file* real = real_file(file);
  if (real->pMethods->iVersion < 3) return SQLITE_OK;
  return real->pMethods->xUnfetch(real, offset, pointer);
}

const sqlite3_io_methods kIoMethods = {
    3,
    shim_close,
    shim_read,
    shim_write,
    shim_truncate,
    shim_sync,
    shim_file_size,
    shim_lock,
    shim_unlock,
    shim_check_reserved_lock,
    shim_file_control,
    shim_sector_size,
    shim_device_characteristics,
    shim_shm_map,
    shim_shm_lock,
    shim_shm_barrier,
    shim_shm_unmap,
    shim_fetch,
    shim_unfetch,
};

int shim_open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* out_flags) {
  auto* self = reinterpret_cast<ScrambleFile*>(file);
  self->base.pMethods = nullptr;
  self->real = reinterpret_cast<sqlite3_file*>(self + 1);
  self->real->pMethods = nullptr;
  self->main_db = (flags & SQLITE_OPEN_MAIN_DB) != 0;
  sqlite3_vfs* root = root_vfs(vfs);
  const int rc = root->xOpen(root, name, self->real, flags, out_flags);
  // With the real file's methods set, SQLite must close it through ours even after a failure.
  if (self->real->pMethods) self->base.pMethods = &kIoMethods;
  return rc;
}

int shim_delete(sqlite3_vfs* vfs, const char* name, int sync_dir) {
  return root_vfs(vfs)->xDelete(root_vfs(vfs), name, sync_dir);
}

int shim_access(sqlite3_vfs* vfs, const char* name, int flags, int* result) {
  return root_vfs(vfs)->xAccess(root_vfs(vfs), name, flags, result);
}

int shim_full_pathname(sqlite3_vfs* vfs, const char* name, int size, char* out) {
  return root_vfs(vfs)->xFullPathname(root_vfs(vfs), name, size, out);
}

void* shim_dl_open(sqlite3_vfs* vfs, const char* name) {
  return root_vfs(vfs)->xDlOpen(root_vfs(vfs), name);
}

void shim_dl_error(sqlite3_vfs* vfs, int size, char* message) {
  root_vfs(vfs)->xDlError(root_vfs(vfs), size, message);
}

void (*shim_dl_sym(sqlite3_vfs* vfs, void* handle, const char* symbol))(void) {
  return root_vfs(vfs)->xDlSym(root_vfs(vfs), handle, symbol);
}

void shim_dl_close(sqlite3_vfs* vfs, void* handle) {
  root_vfs(vfs)->xDlClose(root_vfs(vfs), handle);
}

int shim_randomness(sqlite3_vfs* vfs, int size, char* out) {
  return root_vfs(vfs)->xRandomness(root_vfs(vfs), size, out);
}

int shim_sleep(sqlite3_vfs* vfs, int microseconds) {
  return root_vfs(vfs)->xSleep(root_vfs(vfs), microseconds);
}

int shim_current_time(sqlite3_vfs* vfs, double* now) {
  return root_vfs(vfs)->xCurrentTime(root_vfs(vfs), now);
}

int shim_get_last_error(sqlite3_vfs* vfs, int size, char* message) {
  return root_vfs(vfs)->xGetLastError(root_vfs(vfs), size, message);
}

int shim_current_time_int64(sqlite3_vfs* vfs, sqlite3_int64* now) {
  sqlite3_vfs* root = root_vfs(vfs);
  if (root->iVersion >= 2 && root->xCurrentTimeInt64) return root->xCurrentTimeInt64(root, now);
  double days = 0;
  const int rc = root->xCurrentTime(root, &days);
  *now = static_cast<sqlite3_int64>(days * 86400000.0);
  return rc;
}

const char* register_vfs() {
  if (sqlite3_initialize() != SQLITE_OK) {
    log_skip("scramble_vfs", "registering the scrambling file layer", "sqlite3_initialize failed");
    return nullptr;
  }
  sqlite3_vfs* root = sqlite3_vfs_find(nullptr);
  if (!root) {
    log_skip("scramble_vfs", "registering the scrambling file layer", "no default VFS");
    return nullptr;
  }
  static sqlite3_vfs vfs{};
  vfs.iVersion = 2;
  vfs.szOsFile = static_cast<int>(sizeof(ScrambleFile)) + root->szOsFile;
  vfs.mxPathname = root->mxPathname;
  vfs.zName = kVfsName;
  vfs.pAppData = root;
  vfs.xOpen = shim_open;
  vfs.xDelete = shim_delete;
  vfs.xAccess = shim_access;
  vfs.xFullPathname = shim_full_pathname;
  vfs.xDlOpen = shim_dl_open;
  vfs.xDlError = shim_dl_error;
  vfs.xDlSym = shim_dl_sym;
  vfs.xDlClose = shim_dl_close;
  vfs.xRandomness = shim_randomness;
  vfs.xSleep = shim_sleep;
  vfs.xCurrentTime = shim_current_time;
  vfs.xGetLastError = shim_get_last_error;
  vfs.xCurrentTimeInt64 = shim_current_time_int64;
  const int rc = sqlite3_vfs_register(&vfs, 0);
  if (rc != SQLITE_OK) {
    log_skip("scramble_vfs", "registering the scrambling file layer", sqlite3_errstr(rc));
    return nullptr;
  }
  return kVfsName;
}

}  // namespace

const char* scramble_vfs_name() {
  static const char* const name = register_vfs();
  return name;
}

}  // namespace vemo
