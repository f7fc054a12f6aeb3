#pragma once
// A small ordered tree of named values that the inspect command fills once and prints either
// as indented text or as JSON, so each section is written once for both forms.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace talvex {

// `text` with its control characters (C0, DEL and C1) written as escapes, so a name read from a
// file cannot move the cursor, clear the screen or retitle the terminal it is printed on.
std::string terminalSafe(const std::string& text);

// `s` as a JSON string, quotes included.
void jsonString(std::ostream& out, const std::string& s);

class ReportNode {
public:
    ReportNode();
    ~ReportNode();
    ReportNode(const ReportNode&) = delete;
    ReportNode& operator=(const ReportNode&) = delete;

    // A number, optionally with what it means ("10 ms", an effect's caption).
    ReportNode& number(const std::string& name, long long value, const std::string& meaning = "");
    ReportNode& text(const std::string& name, const std::string& value);
    // A nested group of values.
    ReportNode& child(const std::string& name);
    // Appends an item to the named list (created on first use; shown even when empty after
    // emptyList).
    ReportNode& item(const std::string& listName);
    void emptyList(const std::string& listName);

    void printText(std::ostream& out, int indent = 0) const;
    void printJson(std::ostream& out, int indent = 0) const;

private:
    struct Entry;
    Entry& entry(const std::string& name);
    bool allScalar() const;

    std::vector<std::unique_ptr<Entry>> entries;
};

} // namespace talvex
