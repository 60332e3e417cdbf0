// SPDX-License-Identifier: MIT
#include "platform/wayland/shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "platform/window/window_size.h"

namespace titletype {

wl_buffer* grey_buffer(wl_shm* shm, int width, int height) {
  const int stride = width * 4;
  const int size = stride * height;
  const int fd = memfd_create("titletype-window", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  wl_buffer* buffer = nullptr;
  if (ftruncate(fd, size) == 0) {
    void* pixels =
        mmap(nullptr, static_cast<size_t>(size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels != MAP_FAILED) {
      std::fill_n(static_cast<uint32_t*>(pixels), width * height, 0xff000000u | kBackgroundGrey);
      munmap(pixels, static_cast<size_t>(size));
      wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
      buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
      wl_shm_pool_destroy(pool);
    }
  }
  close(fd);
  return buffer;
}

}  // namespace titletype
