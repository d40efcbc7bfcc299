#include "bib/bibtex/BibReader.h"

#include "bib/bibtex/BibScanner.h"
#include "core/AsciiCase.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvelt {
namespace {

// The braces `text` leaves open, or -1 when a "}" closes more than was opened before it.
std::ptrdiff_t OpenBraces(std::string_view text) {
    std::ptrdiff_t level = 0;
    for (char c : text) {
        if (c == '{') {
            ++level;
        } else if (c == '}' && --level < 0) {
            return -1;
        }
    }
    return level;
}

// The window offers a type's pairs as values it writes in braces; only a field kept outside the
// pairs is written back between the double quotes it was read in.
ValueForm PairForm(ValueForm form) {
    return form == ValueForm::Quoted ? ValueForm::Delimited : form;
}

// A field's value as read: a view into the file for a single piece; text of its own only for a
// concatenation or a value closed at the end of the file, so that a value is copied once, into
// its pair.
struct ReadValue {
    std::string_view Single;
    std::string Joined;
    bool IsJoined = false;
    ValueForm Form = ValueForm::Delimited;
    std::size_t Offset = 0;

    [[nodiscard]] std::string_view Text() const { return IsJoined ? Joined : Single; }
};

// The entry being read, built in place as the last of its category.
struct OpenEntry {
    int Type = -1;
    BibEntry* Entry = nullptr;
    bool HasField = false;
    std::size_t CommentBytesBefore = 0;
    std::size_t Start = 0; // its "@"
    // An entry of another type, kept as its text from `Start` on.
    bool Unknown = false;
    bool HasCrossref = false;
    UnknownEntry Other;
};

// Turns the scanner's tokens into entries.
class BibReader {
public:
    BibReader(BibDatabase& into, std::string_view text, BibReadReport& report)
        : into_(into), text_(text), scanner_(text, report.Diagnostics, DetectLineEnd(text)),
          report_(report) {}

    void Run() {
        TToken token = scanner_.GetToken();
        while (token.Kind != BibTokenKind::End) {
            switch (token.Kind) {
            case BibTokenKind::Type:
                StartEntry(token);
                token = scanner_.GetToken();
                break;
            case BibTokenKind::Name:
                if (token.Text.empty()) {
                    token = scanner_.GetToken();
                } else {
                    const TToken name = token;
                    std::optional<ReadValue> value = ReadValues(token);
                    ApplyField(name, std::move(value));
                }
                break;
            case BibTokenKind::Value: {
                std::optional<ReadValue> value = ReadValues(token);
                ApplyBareValue(*value);
                break;
            }
            case BibTokenKind::End:
                break;
            }
        }
        FinishEntry();
        report_.DroppedTextBytes += scanner_.FreeTextBytes();
        into_.SortAll();
    }

private:
    // Collects the value tokens from `token` on; leaves `token` at the first token of another
    // kind. A single delimited value loses its delimiters; anything else is kept as written.
    //
    // A value the file ended inside is closed where the file ends. Written back as it was read,
    // it would stay open and take in every entry written after it, entries that came before it
    // in the file included, since abbreviations are written first.
    std::optional<ReadValue> ReadValues(TToken& token) {
        if (token.Kind == BibTokenKind::Name) {
            token = scanner_.GetToken();
        }
        if (token.Kind != BibTokenKind::Value) {
            return std::nullopt;
        }
        ReadValue value;
        value.Offset = token.Offset;
        const TToken first = token;
        token = scanner_.GetToken();
        if (token.Kind != BibTokenKind::Value) {
            value.Single = first.Text;
            value.Form = ValueForm::Raw;
            if (first.Delimited) {
                const std::ptrdiff_t open = OpenBraces(first.Content);
                if (open == 0 || (open > 0 && first.Open)) {
                    value.Single = first.Content;
                    value.Form =
                        first.Text.front() == '"' ? ValueForm::Quoted : ValueForm::Delimited;
                    if (open > 0) {
                        value.IsJoined = true;
                        value.Joined = first.Content;
                        value.Joined.append(static_cast<std::size_t>(open), '}');
                    }
                } else {
                    AddBibDiagnostic(report_.Diagnostics, first.Offset, bibmsg::UnbalancedBraces);
                    if (first.Open) {
                        value.IsJoined = true;
                        value.Joined = first.Text;
                        value.Joined += scanner_.OpenValueClosing();
                    }
                }
            }
            return value;
        }
        value.IsJoined = true;
        value.Form = ValueForm::Raw;
        value.Joined = first.Text;
        while (token.Kind == BibTokenKind::Value) {
            value.Joined += token.Text;
            if (token.Open) {
                value.Joined += scanner_.OpenValueClosing();
            }
            token = scanner_.GetToken();
        }
        return value;
    }

    void StartEntry(const TToken& token) {
        FinishEntry();
        current_ = OpenEntry{};
        current_.CommentBytesBefore = scanner_.CommentBytes();
        current_.Start = token.Offset;
        current_.Type = FindEntryType(token.Text);
        if (current_.Type < 0) {
            if (EqualsIgnoringCase(token.Text, "COMMENT")) {
                ++report_.SkippedEntries;
            } else {
                current_.Unknown = true;
                current_.Other.Type = token.Text;
            }
            return;
        }
        current_.Entry = &into_.Category(current_.Type).emplace_back();
        static_cast<void>(InitEntry(current_.Entry->Data, EntryTypeNames[current_.Type]));
    }

    void FinishEntry() {
        if (current_.Unknown) {
            UnknownEntry& other = current_.Other;
            other.Text = text_.substr(current_.Start, scanner_.EntryEnd() - current_.Start);
            other.Text += scanner_.EntryClosing();
            into_.AddUnknownEntry(std::move(other));
            ++report_.UnknownEntries;
            current_ = OpenEntry{};
            return;
        }
        if (current_.Type < 0) {
            return;
        }
        if (current_.Type == StringType && current_.Entry->Data.Fields[0].Name.empty()) {
            // Nothing can refer to it, BibTeX cannot read it, and the writer has no text for it.
            into_.RemoveEntry(StringType, into_.Category(StringType).size() - 1);
            ++report_.SkippedEntries;
            AddBibDiagnostic(report_.Diagnostics, current_.Start, bibmsg::NamelessAbbreviation);
            current_ = OpenEntry{};
            return;
        }
        if (!current_.Entry->Extra.empty()) {
            MarkRepeats();
        }
        extraOffsets_.clear();
        report_.DroppedTextBytes += scanner_.CommentBytes() - current_.CommentBytesBefore;
        current_.Entry->Caption = EntryCaption(current_.Entry->Data);
        ++report_.AddedEntries;
        current_ = OpenEntry{};
    }

    void ApplyField(const TToken& name, std::optional<ReadValue> value) {
        if (current_.Unknown) {
            NoteUnknownField(name, value);
            return;
        }
        if (current_.Type < 0) {
            return;
        }
        Tdata& data = current_.Entry->Data;
        FieldPair& first = data.Fields[0];
        if (!value) {
            // Only the name where BibTeX reads the key is the key: `note = ,` further on, or a name
            // after an empty key, must not replace it.
            if (current_.Type < StringType && name.Key) {
                first.Value = name.Text;
            } else {
                AddBibDiagnostic(report_.Diagnostics, name.Offset, bibmsg::FieldWithoutValue);
            }
            return;
        }
        const bool firstField = !current_.HasField;
        current_.HasField = true;
        if (current_.Type == StringType) {
            // BibTeX defines the first name of an abbreviation and stops at a second one.
            if (firstField) {
                first.Name = name.Text;
                first.Value = value->Text();
                first.Form = PairForm(value->Form);
            } else {
                AddExtra(name, *value, false);
            }
            return;
        }
        if (current_.Type == PreambleType) {
            AddBibDiagnostic(report_.Diagnostics, name.Offset, bibmsg::FieldInPreamble);
            return;
        }
        const int index = FindField(data, name.Text);
        if (index < 0) {
            AddExtra(name, *value, false);
            ++report_.ExtraFields;
        } else if (data.Fields[index].Given) {
            AddExtra(name, *value, true);
        } else {
            FieldPair& pair = data.Fields[index];
            pair.Value = value->Text();
            pair.Form = PairForm(value->Form);
            pair.Given = true;
        }
    }

    // `inTable`: the name is one of the type's pairs, which already has its value.
    void AddExtra(const TToken& name, const ReadValue& value, bool inTable) {
        current_.Entry->Extra.push_back(
            ExtraField{FieldPair{std::string(name.Text), std::string(value.Text()), value.Form},
                       inTable, inTable});
        extraOffsets_.push_back(name.Offset);
    }

    // Marks the later ones among fields beyond the pairs that share a name (any case), or repeat
    // an abbreviation's own name, and reports every repeat in file order.
    void MarkRepeats() {
        std::vector<ExtraField>& extra = current_.Entry->Extra;
        if (current_.Type == StringType) {
            for (ExtraField& field : extra) {
                field.Repeat =
                    EqualsIgnoringCase(field.Pair.Name, current_.Entry->Data.Fields[0].Name);
            }
        }
        if (extra.size() >= 2) {
            // Sorting indices keeps an entry with thousands of fields from costing their square.
            byName_.clear();
            for (std::size_t i = 0; i < extra.size(); ++i) {
                if (!extra[i].InTable) {
                    byName_.push_back(i);
                }
            }
            std::stable_sort(byName_.begin(), byName_.end(), [&](std::size_t a, std::size_t b) {
                return CompareIgnoringCase(extra[a].Pair.Name, extra[b].Pair.Name) < 0;
            });
            for (std::size_t k = 1; k < byName_.size(); ++k) {
                if (EqualsIgnoringCase(extra[byName_[k - 1]].Pair.Name,
                                       extra[byName_[k]].Pair.Name)) {
                    extra[byName_[k]].Repeat = true;
                }
            }
        }
        for (std::size_t i = 0; i < extra.size(); ++i) {
            if (extra[i].Repeat) {
                ++report_.RepeatedFields;
                AddBibDiagnostic(report_.Diagnostics, extraOffsets_[i], bibmsg::RepeatedField,
                                 extra[i].Pair.Name);
            }
        }
    }

    // Of an entry kept as its text, only what the window lists and the writer orders by is read.
    void NoteUnknownField(const TToken& name, const std::optional<ReadValue>& value) {
        if (!value) {
            if (name.Key) {
                current_.Other.Key = name.Text;
            }
            return;
        }
        current_.HasField = true;
        if (!current_.HasCrossref && EqualsIgnoringCase(name.Text, "crossref")) {
            current_.Other.Crossref = value->Text();
            current_.HasCrossref = true;
        }
    }

    void ApplyBareValue(ReadValue& value) {
        if (current_.Type < 0) {
            return;
        }
        if (current_.Type != PreambleType) {
            AddBibDiagnostic(report_.Diagnostics, value.Offset, bibmsg::ValueWithoutName);
            return;
        }
        FieldPair& text = current_.Entry->Data.Fields[0];
        text.Value = value.Text();
        text.Form = PairForm(value.Form);
        current_.HasField = true;
    }

    BibDatabase& into_;
    std::string_view text_;
    BibScanner scanner_;
    BibReadReport& report_;
    OpenEntry current_;
    std::vector<std::size_t> extraOffsets_; // where each field beyond the pairs was named
    std::vector<std::size_t> byName_;
};

BibReadReport ReadInto(BibDatabase& into, std::string_view bytes) {
    BibReadReport report;
    BibReader(into, bytes, report).Run();
    LocateBibDiagnostics(report.Diagnostics, bytes);
    return report;
}

} // namespace

BibReadResult ReadBIB(std::string_view bytes) {
    BibReadResult result;
    result.Database.LineEnding = DetectLineEnd(bytes);
    result.Report = ReadInto(result.Database, bytes);
    return result;
}

BibReadResult ReadBIB(const FileBytes& file) {
    if (file.Error) {
        BibReadResult result;
        result.Report.IoError = *file.Error;
        return result;
    }
    return ReadBIB(file.Bytes);
}

BibReadReport ImportBIB(BibDatabase& into, std::string_view bytes) {
    return ReadInto(into, bytes);
}

BibReadReport ImportBIB(BibDatabase& into, const FileBytes& file) {
    if (file.Error) {
        BibReadReport report;
        report.IoError = *file.Error;
        return report;
    }
    return ImportBIB(into, file.Bytes);
}

} // namespace orvelt
