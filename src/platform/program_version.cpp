#include "platform/program_version.h"

#include "build_version.h"

namespace talvex {

std::string_view programVersion() {
    return generated::kProgramVersion;
}

std::string versionText(std::string_view program) {
    return std::string(program) + " (Talvex) " + std::string(programVersion()) + "\n" +
           kLicenceNotice + "\n";
}

} // namespace talvex
