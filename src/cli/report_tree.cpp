#include "cli/report_tree.h"

#include <cstdio>
#include <ostream>

namespace talvex {

struct ReportNode::Entry {
    enum class Kind { Number, Text, Object, List };
    std::string name;
    Kind kind = Kind::Number;
    long long number = 0;
    std::string text; // the value of a Text entry, the meaning of a Number entry
    std::unique_ptr<ReportNode> object;
    std::vector<std::unique_ptr<ReportNode>> items;
};

namespace {

// A character as \u00XX (JSON and C1 controls) or \xXX (a byte of the C0 set or DEL).
std::string escaped(bool unicode, unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, unicode ? "\\u%04x" : "\\x%02x", value);
    return text;
}

std::string pad(int indent) {
    return std::string(static_cast<std::size_t>(indent), ' ');
}

} // namespace

void jsonString(std::ostream& out, const std::string& s) {
    out << '"';
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (c < 0x20) {
            out << escaped(true, c);
        } else {
            out << c;
        }
    }
    out << '"';
}

std::string terminalSafe(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool c1Control = c == 0xC2 && i + 1 < text.size() &&
                               static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                               static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c < 0x20 || c == 0x7F) {
            out += escaped(false, c);
        } else if (c1Control) {
            out += escaped(true, static_cast<unsigned char>(text[++i]));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

ReportNode::ReportNode() = default;
ReportNode::~ReportNode() = default;

ReportNode::Entry& ReportNode::entry(const std::string& name) {
    entries.push_back(std::make_unique<Entry>());
    entries.back()->name = name;
    return *entries.back();
}

ReportNode& ReportNode::number(const std::string& name, long long value,
                               const std::string& meaning) {
    Entry& e = entry(name);
    e.number = value;
    e.text = meaning;
    return *this;
}

ReportNode& ReportNode::text(const std::string& name, const std::string& value) {
    Entry& e = entry(name);
    e.kind = Entry::Kind::Text;
    e.text = value;
    return *this;
}

ReportNode& ReportNode::child(const std::string& name) {
    Entry& e = entry(name);
    e.kind = Entry::Kind::Object;
    e.object = std::make_unique<ReportNode>();
    return *e.object;
}

void ReportNode::emptyList(const std::string& listName) {
    for (auto& e : entries)
        if (e->kind == Entry::Kind::List && e->name == listName)
            return;
    entry(listName).kind = Entry::Kind::List;
}

ReportNode& ReportNode::item(const std::string& listName) {
    emptyList(listName);
    for (auto& e : entries) {
        if (e->kind == Entry::Kind::List && e->name == listName) {
            e->items.push_back(std::make_unique<ReportNode>());
            return *e->items.back();
        }
    }
    return *this; // not reached: emptyList made the list
}

bool ReportNode::allScalar() const {
    for (const auto& e : entries)
        if (e->kind == Entry::Kind::Object || e->kind == Entry::Kind::List)
            return false;
    return true;
}

void ReportNode::printText(std::ostream& out, int indent) const {
    for (const auto& e : entries) {
        out << pad(indent) << e->name << ":";
        switch (e->kind) {
        case Entry::Kind::Number:
            out << " " << e->number;
            if (!e->text.empty())
                out << " (" << terminalSafe(e->text) << ")";
            out << "\n";
            break;
        case Entry::Kind::Text:
            out << " " << terminalSafe(e->text) << "\n";
            break;
        case Entry::Kind::Object:
            out << "\n";
            e->object->printText(out, indent + 2);
            break;
        case Entry::Kind::List:
            if (e->items.empty())
                out << " none";
            out << "\n";
            for (const auto& item : e->items) {
                if (item->allScalar()) {
                    // One line per item: "- a: 1, b: x"
                    out << pad(indent + 2) << "-";
                    const char* sep = " ";
                    for (const auto& f : item->entries) {
                        out << sep << f->name << ": ";
                        if (f->kind == Entry::Kind::Number) {
                            out << f->number;
                            if (!f->text.empty())
                                out << " (" << terminalSafe(f->text) << ")";
                        } else {
                            out << terminalSafe(f->text);
                        }
                        sep = ", ";
                    }
                    out << "\n";
                } else {
                    out << pad(indent + 2) << "-\n";
                    item->printText(out, indent + 4);
                }
            }
            break;
        }
    }
}

void ReportNode::printJson(std::ostream& out, int indent) const {
    out << "{";
    const char* sep = "\n";
    for (const auto& e : entries) {
        out << sep << pad(indent + 2);
        sep = ",\n";
        jsonString(out, e->name);
        out << ": ";
        switch (e->kind) {
        case Entry::Kind::Number:
            if (e->text.empty()) {
                out << e->number;
            } else {
                out << "{\"value\": " << e->number << ", \"meaning\": ";
                jsonString(out, e->text);
                out << "}";
            }
            break;
        case Entry::Kind::Text:
            jsonString(out, e->text);
            break;
        case Entry::Kind::Object:
            e->object->printJson(out, indent + 2);
            break;
        case Entry::Kind::List: {
            out << "[";
            const char* itemSep = "\n";
            for (const auto& item : e->items) {
                out << itemSep << pad(indent + 4);
                itemSep = ",\n";
                item->printJson(out, indent + 4);
            }
            if (!e->items.empty())
                out << "\n" << pad(indent + 2);
            out << "]";
            break;
        }
        }
    }
    if (!entries.empty())
        out << "\n" << pad(indent);
    out << "}";
}

} // namespace talvex
