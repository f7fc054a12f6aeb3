// Arbitrary keymap.bin contents (as a damaged file or a foreign profile may hold them) through
// everything that reads the assignment entries: the modified-flag rule, the inspect report,
// host-action lookup, and a key edit on top of them. No read past a field, and an edit must
// leave the entries of the other positions as they were.

#include "cli/inspect_assignments.h"
#include "fuzz_check.h"
#include "keys/host_action.h"
#include "keys/key_assignment_store.h"
#include "keys/key_positions.h"
#include "platform/recording_shell.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talvex;
    static const KeyNameTable names = buildKeyNameTable();

    auto state = std::make_unique<KeyAssignmentState>();
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
    const std::size_t position = size > 1 ? data[size - 2] % kKeyPositionCount : 0;
    const KeyAssignments before = state->assignments;
    selectPosition(*state, position);
    PendingAssignment& pending = state->pendingAssignment;
    pending.type = size > 2 ? data[size - 3] % 10 : 0;
    pending.keyCount = size > 3 ? data[size - 4] : 0;
    std::copy(data, data + std::min(size, std::size_t{3}), pending.keys.begin());
    pending.macroIndex = size > 4 ? static_cast<std::int8_t>(data[size - 5]) : -1;
    pending.actionPath = state->assignments[position].pathText();
    applyKeyAssignment(*state, names, {});
    applyEnableSwitch(*state);
    for (std::size_t p = 0; p < kAssignmentCount; ++p)
        check(p == position || state->assignments[p] == before[p]);
    return 0;
}
