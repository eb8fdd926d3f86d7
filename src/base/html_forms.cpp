#include "base/html_forms.h"

#include <algorithm>
#include <array>

namespace vendaxo {

namespace {

bool isSpace(char c) {
    return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

// What option.text gives: the text without leading and trailing white space
// and with each run of white space inside as one space.
std::string strippedAndCollapsed(std::string_view text) {
    std::string out;
    bool space = false;
    for (char c : text) {
        if (isSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += c;
    }
    return out;
}

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The elements that matter here; every other one is Other.
enum class Element {
    Other,
    Form,
    Template,
    Input,
    Select,
    Option,
    Optgroup,
    Textarea,
    Keygen,
    Button,
    Fieldset,
    Output,
    Object,
    P,
    Br,
};

// Most tags are none of these: the length rules them out with one comparison.
Element elementOf(std::string_view name) {
    using enum Element;
    switch (name.size()) {
    case 1:
        return name == "p" ? P : Other;
    case 2:
        return name == "br" ? Br : Other;
    case 4:
        return name == "form" ? Form : Other;
    case 5:
        return name == "input" ? Input : Other;
    case 6:
        return name == "select"   ? Select
               : name == "option" ? Option
               : name == "keygen" ? Keygen
               : name == "button" ? Button
               : name == "output" ? Output
               : name == "object" ? Object
                                  : Other;
    case 8:
        return name == "template"   ? Template
               : name == "optgroup" ? Optgroup
               : name == "textarea" ? Textarea
               : name == "fieldset" ? Fieldset
                                    : Other;
    default:
        return Other;
    }
}

// Whether the reader needs the attributes of a start tag: of the form and the
// controls and options in it.
bool wantsAttributes(std::string_view name) {
    using enum Element;
    switch (elementOf(name)) {
    case Form:
    case Input:
    case Select:
    case Option:
    case Textarea:
    case Button:
    case Fieldset:
    case Output:
    case Object:
        return true;
    default:
        return false;
    }
}

// Whether a form's elements list holds the element (an image input excepted).
bool isListed(Element element) {
    using enum Element;
    return element == Input || element == Select || element == Textarea || element == Button ||
           element == Fieldset || element == Output || element == Object;
}

// Whether a radio button's label ends at the element's start tag.
bool endsLabel(Element element) {
    using enum Element;
    return element == Input || element == Select || element == Textarea || element == Button ||
           element == P || element == Br || element == Option;
}

// A select's display size: its size attribute when that is a positive number,
// else 4 for a list that takes several choices and 1 for a drop-down.
std::size_t displaySize(const HtmlTokenizer& tag) {
    const bool multiple = tag.attribute("multiple") != nullptr;
    std::size_t size = 0;
    if (const std::string* text = tag.attribute("size")) {
        std::size_t at = 0;
        while (at < text->size() && isSpace((*text)[at]))
            ++at;
        for (; at < text->size() && (*text)[at] >= '0' && (*text)[at] <= '9'; ++at)
            size = std::min<std::size_t>(size * 10 + static_cast<std::size_t>((*text)[at] - '0'),
                                         1000000);
    }
    return size > 0 ? size : multiple ? 4 : 1;
}

class FormReader {
public:
    // Text matters only inside a form.
    explicit FormReader(std::string_view text) : m_tokens(text) {
        m_tokens.setTextWanted(false);
        m_tokens.setAttributeFilter(wantsAttributes);
    }

    std::vector<HtmlForm> read() {
        while (m_tokens.next()) {
            switch (m_tokens.kind()) {
            case HtmlTokenKind::StartTag:
                startTag();
                break;
            case HtmlTokenKind::EndTag:
                endTag();
                break;
            case HtmlTokenKind::Text:
                text();
                break;
            case HtmlTokenKind::Comment:
                if (m_formOpen && m_templates == 0)
                    m_forms.back().comments.push_back(m_tokens.text());
                break;
            case HtmlTokenKind::Doctype:
                break;
            }
        }
        closeSelect();
        finishTextControl();
        return std::move(m_forms);
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    HtmlControl& control(std::size_t index) { return m_forms.back().controls[index]; }

    void startTag() {
        if (m_tokens.inForeignContent())
            return;
        const Element element = elementOf(m_tokens.tagName());
        if (element == Element::Template) {
            ++m_templates;
            return;
        }
        if (m_templates > 0 || element == Element::Other)
            return;
        if (endsLabel(element))
            m_label = kNone;
        if (m_inSelect) {
            switch (element) {
            case Element::Option:
                closeOption();
                openOption();
                return;
            case Element::Optgroup:
                closeOption();
                return;
            case Element::Select:
                closeSelect(); // a select inside a select only ends the first
                return;
            case Element::Input:
            case Element::Textarea:
            case Element::Keygen:
                closeSelect();
                break;
            default:
                break;
            }
        }
        if (element == Element::Form && !m_formOpen) {
            HtmlForm form;
            form.begin = m_tokens.begin();
            form.attributes.assign(m_tokens.attributes().begin(), m_tokens.attributes().end());
            m_forms.push_back(std::move(form));
            m_formOpen = true;
            m_tokens.setTextWanted(true);
        } else if (isListed(element)) {
            addControl(element);
        }
    }

    void addControl(Element element) {
        HtmlControl added;
        added.element = m_tokens.tagName();
        if (element == Element::Input) {
            const std::string* type = m_tokens.attribute("type");
            added.type = type ? lowerAscii(*type) : "text";
            if (added.type == "image")
                return;
        }
        if (element == Element::Select)
            m_inSelect = true;
        if (!m_formOpen)
            return;
        // A control that names another form by its id belongs to that one.
        if (const std::string* owner = m_tokens.attribute("form")) {
            const std::string* id = m_forms.back().attribute("id");
            if (!id || *id != *owner)
                return;
        }
        if (const std::string* controlName = m_tokens.attribute("name"))
            added.name = *controlName;
        const bool textContent = element == Element::Textarea || element == Element::Output;
        if (element == Element::Input || element == Element::Button) {
            if (const std::string* value = m_tokens.attribute("value"))
                added.value = *value;
        } else if (textContent) {
            added.value.emplace();
        }
        std::vector<HtmlControl>& controls = m_forms.back().controls;
        controls.push_back(std::move(added));
        const std::size_t index = controls.size() - 1;
        if (element == Element::Select) {
            m_select = index;
            m_selectSize = displaySize(m_tokens);
            m_multiple = m_tokens.attribute("multiple") != nullptr;
        } else if (textContent) {
            m_textControl = index;
        } else if (controls.back().type == "radio") {
            m_label = index;
        }
    }

    void endTag() {
        const Element element = elementOf(m_tokens.tagName());
        if (element == Element::Template) {
            if (m_templates > 0)
                --m_templates;
            return;
        }
        if (m_templates > 0)
            return;
        if (element == Element::P)
            m_label = kNone;
        if (m_inSelect) {
            if (element == Element::Option || element == Element::Optgroup)
                closeOption();
            else if (element == Element::Select)
                closeSelect();
            // A form's end tag inside an open select does not end the form.
            return;
        }
        if ((element == Element::Textarea || element == Element::Output) && m_textControl != kNone)
            finishTextControl();
        if (element == Element::Form && m_formOpen) {
            finishTextControl();
            m_forms.back().end = m_tokens.end();
            m_formOpen = false;
            m_tokens.setTextWanted(false);
            m_label = kNone;
        }
    }

    void text() {
        if (m_tokens.textSource() == HtmlTextSource::ScriptData || !m_formOpen)
            return;
        const std::string& text = m_tokens.text();
        if (m_inOption && m_select != kNone)
            control(m_select).options.back().text += text;
        else if (m_textControl != kNone)
            *control(m_textControl).value += text;
        if (m_label != kNone && m_tokens.textSource() == HtmlTextSource::Data)
            control(m_label).followingText += text;
    }

    void openOption() {
        m_inOption = true;
        if (m_select == kNone)
            return;
        HtmlOption option;
        option.selected = m_tokens.attribute("selected") != nullptr;
        option.disabled = m_tokens.attribute("disabled") != nullptr;
        const std::string* value = m_tokens.attribute("value");
        m_optionValue = value != nullptr;
        if (value)
            option.value = *value;
        control(m_select).options.push_back(std::move(option));
    }

    void closeOption() {
        if (m_inOption && m_select != kNone && !m_optionValue) {
            HtmlOption& option = control(m_select).options.back();
            option.value = strippedAndCollapsed(option.text);
        }
        m_inOption = false;
    }

    // The value a browser gives the select before anyone chooses.
    void closeSelect() {
        closeOption();
        if (m_select != kNone) {
            HtmlControl& select = control(m_select);
            const std::vector<HtmlOption>& options = select.options;
            // A drop-down shows the last option marked selected, else the first
            // it can show; a list shows what is marked, or nothing.
            std::size_t chosen = kNone;
            for (std::size_t i = 0; i < options.size(); ++i) {
                if (options[i].selected) {
                    chosen = i;
                    if (m_multiple)
                        break;
                }
            }
            for (std::size_t i = 0;
                 i < options.size() && chosen == kNone && !m_multiple && m_selectSize == 1; ++i) {
                if (!options[i].disabled)
                    chosen = i;
            }
            select.value = chosen == kNone ? std::string() : options[chosen].value;
        }
        m_inSelect = false;
        m_select = kNone;
    }

    // A textarea's first line feed is not part of its value.
    void finishTextControl() {
        if (m_textControl != kNone && m_formOpen) {
            HtmlControl& text = control(m_textControl);
            if (text.element == "textarea" && text.value->starts_with('\n'))
                text.value->erase(0, 1);
        }
        m_textControl = kNone;
    }

    HtmlTokenizer m_tokens;
    std::vector<HtmlForm> m_forms;
    bool m_formOpen = false;
    std::size_t m_templates = 0;
    bool m_inSelect = false;
    bool m_inOption = false;
    bool m_optionValue = false; // the open option has a value attribute
    bool m_multiple = false;
    std::size_t m_selectSize = 1;
    std::size_t m_select = kNone;
    std::size_t m_textControl = kNone;
    std::size_t m_label = kNone;
};

} // namespace

const std::string* HtmlForm::attribute(std::string_view name) const {
    for (const HtmlAttribute& attribute : attributes) {
        if (attribute.name == name)
            return &attribute.value;
    }
    return nullptr;
}

std::vector<HtmlForm> readHtmlForms(std::string_view text) {
    return FormReader(text).read();
}

} // namespace vendaxo
