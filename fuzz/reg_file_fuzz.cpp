// .reg files: exported by the registry editor, hand-edited, or from another machine.
#include "base/error.h"
#include "fuzz_support.h"
#include "shell/reg_file.h"

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::MemoryStore first;
    try {
        importRegFile(first, fuzz::asText(bytes, size));
    } catch (const Error&) {
        fuzz::check(first.dump().empty(), "a refused file writes nothing");
        return 0;
    }
    // What is exported re-imports to the same keys and values, and exports alike.
    const std::string exported = exportRegFile(first);
    fuzz::MemoryStore second;
    try {
        importRegFile(second, exported);
    } catch (const Error& error) {
        fuzz::fail("an exported file is refused", error.what());
    }
    fuzz::check(second.dump() == first.dump(), "export re-imports to the same values",
                first.dump() + "|" + second.dump());
    fuzz::check(exportRegFile(second) == exported, "export is stable after one round");
    return 0;
}
