#include "common/TextPlatform.h"

namespace vesk {

// Without Win32 the system's text handling is the portable code page 932.
const TextPlatform& SystemTextPlatform() {
    return PortableTextPlatform();
}

}  // namespace vesk
