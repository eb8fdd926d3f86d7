#include "snippets/gui/page_forms.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <string_view>

namespace vendaxo {

namespace {

// Before the editor's text it tells the reader the bytes are UTF-8, whatever
// charset the page declares: the text was decoded when the page was opened.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Document positions count UTF-16 code units; the reader's ranges count bytes
// of UTF-8. Offsets are asked for in ascending order, so the page is walked once.
class PositionOfByte {
public:
    explicit PositionOfByte(std::string_view text) : m_text(text) {}

    int operator()(std::size_t offset) {
        for (; m_offset < offset && m_offset < m_text.size(); ++m_offset) {
            const auto byte = static_cast<unsigned char>(m_text[m_offset]);
            if ((byte & 0xC0) != 0x80)              // not a continuation byte
                m_position += byte >= 0xF0 ? 2 : 1; // four bytes: a surrogate pair
        }
        return m_position;
    }

private:
    std::string_view m_text;
    std::size_t m_offset = 0;
    int m_position = 0;
};

} // namespace

std::string pageText(const QTextDocument& document) {
    // toPlainText() would turn no-break spaces into spaces.
    QString raw = document.toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return raw.toStdString();
}

PageForms::PageForms(QTextDocument& document) : m_document(document) {
    connect(&document, &QTextDocument::contentsChanged, this, [this] { m_forms.reset(); });
}

const std::vector<PageForm>& PageForms::forms() {
    if (m_forms)
        return *m_forms;
    const std::string bytes = std::string(kUtf8ByteOrderMark) + pageText(m_document);
    PositionOfByte positionOf(std::string_view(bytes).substr(kUtf8ByteOrderMark.size()));
    const auto position = [&](std::size_t offset) {
        return positionOf(offset - kUtf8ByteOrderMark.size());
    };
    std::vector<PageForm> forms;
    for (ReadSnippet& snippet : readSnippets(bytes)) {
        PageForm& form = forms.emplace_back();
        if (snippet.range) {
            form.begin = position(snippet.range->begin);
            form.end = position(snippet.range->end);
        } else {
            form.begin =
                m_document.findBlockByNumber(static_cast<int>(snippet.line) - 1).position();
            form.end = m_document.characterCount() - 1;
        }
        form.snippet = std::move(snippet);
    }
    m_forms = std::move(forms);
    return *m_forms;
}

const PageForm* PageForms::at(int position) {
    const std::vector<PageForm>& all = forms();
    const auto after =
        std::upper_bound(all.begin(), all.end(), position,
                         [](int at, const PageForm& form) { return at < form.begin; });
    if (after == all.begin() || position > std::prev(after)->end)
        return nullptr;
    return &*std::prev(after);
}

const PageForm* PageForms::startingOn(const QTextBlock& line) {
    const std::vector<PageForm>& all = forms();
    const auto first =
        std::lower_bound(all.begin(), all.end(), line.position(),
                         [](const PageForm& form, int at) { return form.begin < at; });
    if (first == all.end() || first->begin >= line.position() + line.length())
        return nullptr;
    return &*first;
}

} // namespace vendaxo
