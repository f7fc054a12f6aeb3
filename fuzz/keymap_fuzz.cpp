// Arbitrary keymap.bin contents (as a damaged file or a foreign profile may hold them) through
// everything that reads the assignment entries: the modified-flag rule, the inspect report,
// host-action lookup, and a key edit on top of them. No read past a field, and an edit must
// leave the entries of the other positions as they were.

#include "cli/inspect_assignments.h"
#include "fuzz_check.h"
#include "keys/function_catalogue.h"
#include "keys/host_action.h"
#include "keys/key_assignment_store.h"
#include "keys/key_positions.h"
#include "platform/recording_shell.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talvex;
    static const KeyNameTable names = buildKeyNameTable();
    // 400 KB of state, and ASan maps every allocation that large afresh: each input starts from a
    // copy of one fresh state made once.
    static const auto fresh = std::make_unique<KeyAssignmentState>();
    static const auto state = std::make_unique<KeyAssignmentState>();
    static const auto before = std::make_unique<KeyAssignments>();
    *state = *fresh;

    auto settingsBytes = state->workingSettings.bytes();
    const std::size_t inSettings = std::min(size, settingsBytes.size());
    std::copy(data, data + inSettings, settingsBytes.begin());
    auto entryBytes = state->assignments.bytes();
    std::copy(data + inSettings, data + inSettings + std::min(size - inSettings, entryBytes.size()),
              entryBytes.begin());

    recomputeKeyModified(*state);
    check(state->keyModified[kFnPosition] == 0);
    ReportNode report;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p)
        reportAssignment(report.item("keys"), names, state->workingSettings, state->assignments, p);

    RecordingShell shell;
    shell.result = false;
    const std::uint8_t code = size > 0 ? data[size - 1] : 0;
    runHostAction(state->assignments, code, shell);

    // An edit of one position, chosen and shaped by the last bytes of the input.
    const auto fromEnd = [&](std::size_t n) -> std::uint8_t {
        return size > n ? data[size - 1 - n] : 0;
    };
    const std::size_t position = fromEnd(1) % kKeyPositionCount;
    *before = state->assignments;
    const std::vector<std::uint8_t> vks(data, data + std::min<std::size_t>(size, fromEnd(3)));
    const KeyChoice choices[] = {
        RestoreKey{},
        SingleKeyChoice{fromEnd(3)},
        CombinationChoice{vks},
        MacroChoice{static_cast<std::int8_t>(fromEnd(4))},
        FunctionChoice{std::u16string(functionCatalogue()[fromEnd(4) % kFunctionCount].name)},
        HostActionChoice{static_cast<HostActionKind>(fromEnd(4) % kHostActionKinds),
                         state->assignments[position].pathText()},
    };
    KeyEdit edit;
    selectPosition(edit, position);
    if (const std::size_t pick = fromEnd(2) % (std::size(choices) + 1); pick < std::size(choices))
        edit.choice = choices[pick];
    edit.keyEnabled = (fromEnd(5) & 1) != 0;
    if (commitKeyAssignmentInMemory(*state, edit, names, {}) != KeyApplyResult::Applied)
        check(state->assignments == *before);
    for (std::size_t p = 0; p < kAssignmentCount; ++p)
        check(p == position || state->assignments[p] == (*before)[p]);
    return 0;
}
