#include "common/FileDialogFilter.h"

#include "common/AnsiText.h"

namespace vesk {

std::string FileDialogFilter(std::string_view filter) {
    std::string result(filter);
    for (std::size_t pos = FindAnyByte(result, "|"); pos != std::string::npos;
         pos = FindAnyByte(result, "|", pos + 1)) {
        result[pos] = '\0';
    }
    result.append(2, '\0');
    return result;
}

}  // namespace vesk
