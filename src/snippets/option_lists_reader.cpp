// Reading a purchase button's option lists back into option data text.
#include "snippets/snippet_fields.h"

#include <algorithm>
#include <map>

namespace vendaxo {

namespace {

constexpr std::string_view kListPrefix = "vdx_prodoptions";
// Far more rows than a grid the dialog can fill, and few enough that a
// damaged row number cannot blow the text up.
constexpr std::size_t kMaxRow = 10000;
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// "12" as 12; none for anything but plain digits without a leading zero.
std::optional<std::size_t> plainNumber(std::string_view text, std::size_t limit) {
    if (text.empty() || text.size() > 6 || (text.size() > 1 && text.front() == '0'))
        return std::nullopt;
    std::size_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    return number <= limit ? std::optional(number) : std::nullopt;
}

std::string_view trimmedText(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string collapsed(std::string_view text) {
    std::string out;
    for (char c : trimmedText(text)) {
        if (!isSpace(c))
            out += c;
        else if (out.back() != ' ')
            out += ' ';
    }
    return out;
}

// A radio button's label without the spaces that part it from the next one.
std::string_view radioLabel(std::string_view text) {
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    for (int i = 0; i < 5 && text.ends_with(kNoBreakSpace); ++i)
        text.remove_suffix(kNoBreakSpace.size());
    return text;
}

struct Item {
    std::size_t row;
    std::string text;
};

class ListsReader {
public:
    explicit ListsReader(FormFields& fields) : m_fields(fields) {
        if (const HtmlControl* currency = fields.field("currency"); currency && currency->value)
            m_currency = *currency->value;
    }

    ReadOptionLists read() {
        bool selects = false;
        bool radios = false;
        for (const HtmlControl& control : m_fields.form().controls) {
            if (!control.name.starts_with(kListPrefix))
                continue;
            const std::optional<std::size_t> list = plainNumber(
                std::string_view(control.name).substr(kListPrefix.size()), kMaxOptionLists - 1);
            if (!list) {
                fail(control.name + " is no option list");
                continue;
            }
            std::vector<Item>& items = m_lists[*list];
            if (control.element == "select") {
                selects = true;
                for (const HtmlOption& option : control.options)
                    readItem(*list, option.value, option.text, items);
            } else if (control.element == "input" && control.type == "radio") {
                radios = true;
                if (control.value)
                    readItem(*list, *control.value, radioLabel(control.followingText), items);
                else
                    fail(where(*list) + "a radio button has no value");
            } else {
                fail(control.name + " is neither a list nor a radio button");
            }
        }
        ReadOptionLists lists;
        if (selects && radios)
            fail("the option lists are both drop-down lists and radio buttons");
        else if (selects || radios)
            lists.style = selects ? OptionStyle::DropDown : OptionStyle::Radio;
        if (!m_failed && !m_lists.empty())
            lists.data = dataText();
        return lists;
    }

private:
    static std::string where(std::size_t list) { return readListTitle(list) + ": "; }

    void fail(std::string problem) {
        m_fields.problem(std::move(problem));
        m_failed = true;
    }

    // An item's text is what the shopper sees; the value, made from that text
    // and the row, has to agree with it. "Small" and "Small (add $0)" give the
    // same value, so the value alone cannot tell the text. An item typed with
    // "&amp;" or "<" is written into the page as typed, so the shopper sees
    // other text than its value holds: it is reported, not read, and such a
    // button cannot be read back to the same bytes.
    void readItem(std::size_t list, const std::string& value, std::string_view shown,
                  std::vector<Item>& items) {
        const std::size_t first = value.find(';');
        const std::size_t last = value.rfind(';');
        const std::optional<std::size_t> row =
            first == last ? std::nullopt
                          : plainNumber(std::string_view(value).substr(last + 1), kMaxRow);
        if (!row || *row == 0 || (value[0] != '+' && value[0] != '-')) {
            fail(where(list) + "the value \"" + value + "\" cannot be read");
            return;
        }
        const std::string rowText = value.substr(last + 1);
        for (const std::string& text :
             {std::string(shown), std::string(trimmedText(shown)), collapsed(shown)}) {
            const OptionItem item = OptionItem::parse(text, m_currency);
            if (item.signedAmount() + ";" + item.label + ";" + rowText != value)
                continue;
            if (text.find_first_of(";\r\n") != std::string::npos)
                fail(where(list) + "the item \"" + text + "\" holds \";\" or a line break");
            else if (std::any_of(items.begin(), items.end(),
                                 [&](const Item& other) { return other.row == *row; }))
                fail(where(list) + "two items in row " + rowText);
            else
                items.push_back({*row, text});
            return;
        }
        fail(where(list) + "the text \"" + std::string(shown) + "\" does not match the value \"" +
             value + "\"");
    }

    // One line per list, title first; an empty line for a number no list has,
    // and an empty cell for a row no item has, so that names and rows come out
    // as they were.
    std::string dataText() {
        std::string data;
        std::size_t next = 0;
        for (auto& [list, items] : m_lists) {
            data.append(list - next, '\n');
            next = list + 1;
            data += readListTitle(list) + ";";
            std::sort(items.begin(), items.end(),
                      [](const Item& a, const Item& b) { return a.row < b.row; });
            std::size_t row = 1;
            for (const Item& item : items) {
                data.append(item.row - row, ';');
                data += item.text + ";";
                row = item.row + 1;
            }
            data += '\n';
        }
        return data;
    }

    FormFields& m_fields;
    std::string m_currency = "$";
    std::map<std::size_t, std::vector<Item>> m_lists;
    bool m_failed = false;
};

} // namespace

ReadOptionLists readOptionLists(FormFields& fields) {
    return ListsReader(fields).read();
}

} // namespace vendaxo
