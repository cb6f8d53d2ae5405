#include "file_writing.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace qhost {

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  const std::string partPath = path + ".part";
  {
    std::ofstream file(partPath, std::ios::binary | std::ios::trunc);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush()) {
      std::error_code ignored;
      std::filesystem::remove(partPath, ignored);
      throw std::runtime_error("cannot write " + path);
    }
  }
  std::error_code error;
  std::filesystem::rename(partPath, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(partPath, ignored);
    throw std::runtime_error("cannot write " + path + ": " + error.message());
  }
}

}  // namespace qhost
