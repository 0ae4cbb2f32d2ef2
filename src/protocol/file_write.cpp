#include "protocol/file_write.h"

#include <fstream>
#include <system_error>

namespace veld {

bool replaceFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (out.fail()) {
            // A partial file of ours goes; whatever stood there before stays.
            std::error_code ignored;
            if (std::filesystem::is_regular_file(temporary, ignored))
                std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
    return !error;
}

}  // namespace veld
