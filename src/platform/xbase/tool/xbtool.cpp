// xbtool: inspects and maintains xBase tables and compound indexes from the command line.
// Run without arguments for the list of commands. Errors go to stderr, naming the file; exit 2.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "platform/xbase/csv/csv_reader.h"
#include "platform/xbase/cursor.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/numeric_key.h"
#include "platform/xbase/table.h"
#include "platform/xbase/text_convert.h"

using namespace xbase;

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  xbtool info TABLE\n"
    "  xbtool dump TABLE [--index INDEX]\n"
    "  xbtool tags INDEX\n"
    "  xbtool walk TABLE INDEX TAG [--deleted]\n"
    "  xbtool seek TABLE INDEX TAG KEY\n"
    "  xbtool check TABLE INDEX\n"
    "  xbtool index TABLE INDEX TAG EXPRESSION\n"
    "  xbtool pack TABLE [INDEX]\n"
    "  xbtool create TABLE FIELD:TYPE[:LENGTH[:DECIMALS]]...\n"
    "  xbtool load TABLE CSV [--index INDEX]\n"
    "  xbtool delete TABLE RECNO... [--index INDEX]\n"
    "  xbtool repair TABLE [--yes]\n";

struct Failure {
    Status status;
};

void Check(const Status& s) {
    if (!s.ok())
        throw Failure{s};
}

[[noreturn]] void Usage() {
    std::fputs(kUsage, stderr);
    std::exit(2);
}

std::unique_ptr<Table> OpenTable(const std::string& path, bool exclusive = false,
                                 bool readOnly = false) {
    Table::Options options;
    options.exclusive = exclusive;
    options.readOnly = readOnly;
    std::unique_ptr<Table> table;
    Check(Table::Open(path, options, &table));
    return table;
}

std::string Trim(std::string_view s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return std::string();
    return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out.push_back(char(c));
                }
        }
    }
    return out + "\"";
}

// Whether an index file carries the mark of a change that did not finish; its tags may then
// miss keys or hold stale ones.
bool MarkedDirty(const CdxFile& file) {
    if (!file.dirty())
        return false;
    std::fprintf(stderr, "xbtool: warning: %s is marked dirty: a change to it did not finish\n",
                 file.path().c_str());
    return true;
}

// A field's value as dump shows it.
std::string DumpValue(const Table& table, const uint8_t* rec, int index, Status* memoFault) {
    const FieldDef& f = table.schema()[size_t(index)];
    std::string text;
    switch (f.type) {
        case 'C': {
            text = GetText(rec, f);
            while (!text.empty() && text.back() == ' ')
                text.pop_back();
            break;
        }
        case 'M':
            // A memo that cannot be read shows empty; Dump reports it and goes on.
            if (Status s = table.ReadMemo(rec, index, &text); !s.ok()) {
                *memoFault = s;
                return std::string();
            }
            break;
        case 'D': {
            Date d = GetDate(rec, f);
            if (!d.blank()) {
                char buf[16];
                std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
                text = buf;
            }
            break;
        }
        case 'L': {
            std::string raw = GetText(rec, f);
            char c = raw.empty() ? ' ' : raw[0];
            text = (c == 'T' || c == 't' || c == 'Y' || c == 'y')   ? "T"
                   : (c == 'F' || c == 'f' || c == 'N' || c == 'n') ? "F"
                                                                    : "?";
            break;
        }
        default:
            text = Trim(GetText(rec, f));
    }
    return ToUtf8(table.codePage(), text);
}

int Info(const std::string& path) {
    auto table = OpenTable(path, false, true);
    const DbfHeader& h = table->header();
    std::printf("version: 0x%02X\n", h.version);
    std::printf("last update: %04d-%02d-%02d\n", h.updateYear, h.updateMonth, h.updateDay);
    std::printf("records: %u\n", h.recordCount);
    std::printf("header length: %u\n", h.headerLength);
    std::printf("record length: %u\n", h.recordLength);
    std::printf("code page: 0x%02X (%s)\n", h.codePageMark, table->codePage().name());
    std::printf("memo file: %s\n", table->memoFile() ? table->memoFile()->path().c_str() : "none");
    std::printf("fields:\n");
    for (const FieldDef& f : table->schema().fields()) {
        std::printf("  %s %c %u %u\n", f.name.c_str(), f.type, f.length, f.decimals);
    }
    return 0;
}

int Dump(const std::string& path, const std::string* index) {
    auto table = OpenTable(path, false, true);
    if (index)
        Check(table->OpenIndex(*index));
    for (const auto& file : table->indexFiles())
        MarkedDirty(*file);
    int badMemos = 0;
    Check(table->ScanRecords(1, [&](uint32_t recno, const uint8_t* rec) {
        std::string line = "{\"recno\":" + std::to_string(recno) +
                           ",\"deleted\":" + (rec[0] == '*' ? "true" : "false");
        for (size_t i = 0; i < table->schema().size(); ++i) {
            Status memoFault;
            line += "," + JsonString(table->schema()[i].name) + ":" +
                    JsonString(DumpValue(*table, rec, int(i), &memoFault));
            if (!memoFault.ok()) {
                ++badMemos;
                std::fprintf(stderr, "xbtool: record %u, %s: %s\n", recno,
                             table->schema()[i].name.c_str(), memoFault.ToString().c_str());
            }
        }
        line += "}\n";
        std::fputs(line.c_str(), stdout);
        return true;
    }));
    return badMemos == 0 ? 0 : 1;
}

int Tags(const std::string& path) {
    std::unique_ptr<CdxFile> file;
    Check(CdxFile::Open(ResolvePathNoCase(path), false, &file));
    for (CdxTag* tag : file->tags()) {
        const TagInfo& info = tag->info();
        std::printf("%s\t%u\t%s", info.name.c_str(), info.keyLength, info.expression.c_str());
        if (!info.forExpression.empty())
            std::printf("\tFOR %s", info.forExpression.c_str());
        std::printf("\n");
    }
    return 0;
}

Cursor OrderedCursor(Table* table, const std::string& index, const std::string& tag) {
    Check(table->OpenIndex(index));
    for (const auto& file : table->indexFiles())
        MarkedDirty(*file);
    Cursor cursor(table);
    Check(cursor.SetOrder(tag));
    return cursor;
}

int Walk(const std::string& path, const std::string& index, const std::string& tag, bool deleted) {
    auto table = OpenTable(path, false, true);
    Cursor cursor = OrderedCursor(table.get(), index, tag);
    cursor.SetShowDeleted(deleted);
    std::string out;
    for (Check(cursor.GoTop()); !cursor.Eof(); Check(cursor.Skip(1))) {
        out += std::to_string(cursor.RecNo());
        out += '\n';
        if (out.size() > (1 << 16)) {
            std::fputs(out.c_str(), stdout);
            out.clear();
        }
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}

int Seek(const std::string& path, const std::string& index, const std::string& tag,
         const std::string& key) {
    auto table = OpenTable(path, false, true);
    Cursor cursor = OrderedCursor(table.get(), index, tag);
    bool found = false;
    if (cursor.order()->expression->type() == ValueType::kCharacter) {
        std::string bytes;
        Check(FromUtf8(table->codePage(), key, &bytes));
        Check(cursor.Seek(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &found));
    } else {
        char* end = nullptr;
        double value = std::strtod(key.c_str(), &end);
        if (end == key.c_str() || *end != '\0')
            Check(Status::InvalidArgument("", "\"" + key + "\" is not a number"));
        uint8_t encoded[kNumericKeyLength];
        EncodeNumericKey(value, encoded);
        Check(cursor.Seek(encoded, sizeof encoded, &found));
    }
    if (!found) {
        std::printf("not found\n");
        return 1;
    }
    std::printf("found %u\n", cursor.RecNo());
    return 0;
}

int CheckIndex(const std::string& path, const std::string& index) {
    auto table = OpenTable(path, false, true);
    Check(table->OpenIndex(index));
    bool dirty = false;
    for (const auto& file : table->indexFiles()) {
        if (file->dirty()) {
            std::printf("%s: marked dirty (a change did not finish)\n", file->path().c_str());
            dirty = true;
        }
    }
    std::vector<std::string> report;
    Status s = table->Check(nullptr, &report);
    for (const std::string& line : report)
        std::printf("%s\n", line.c_str());
    if (s.IsCorruption() || dirty)
        return 1;
    Check(s);
    return 0;
}

int Index(const std::string& path, const std::string& index, const std::string& tag,
          const std::string& expr) {
    auto table = OpenTable(path);
    Check(table->CreateTag(index, tag, expr));
    return 0;
}

int Pack(const std::string& path, const std::string* index) {
    auto table = OpenTable(path, true);
    if (index)
        Check(table->OpenIndex(*index));
    uint32_t before = table->recordCount();
    Check(table->Pack(nullptr));
    std::printf("%u records kept, %u removed\n", table->recordCount(),
                before - table->recordCount());
    return 0;
}

int Count(const std::string& definition, const std::string& text) {
    char* end = nullptr;
    long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 0 || n > 99999)
        Check(Status::InvalidArgument("", "bad field \"" + definition + "\""));
    return int(n);
}

int Create(const std::string& path, const std::vector<std::string>& definitions) {
    std::vector<FieldSpec> fields;
    for (const std::string& definition : definitions) {
        std::vector<std::string> parts;
        size_t start = 0;
        for (size_t colon; (colon = definition.find(':', start)) != std::string::npos;
             start = colon + 1) {
            parts.push_back(definition.substr(start, colon - start));
        }
        parts.push_back(definition.substr(start));
        if (parts.size() < 2 || parts[1].size() != 1)
            Check(Status::InvalidArgument("", "bad field \"" + definition + "\""));
        FieldSpec f;
        f.name = parts[0];
        f.type = char(std::toupper(static_cast<unsigned char>(parts[1][0])));
        f.length = f.type == 'D' ? 8 : f.type == 'L' ? 1 : f.type == 'M' ? 10 : 0;
        // Widths go to the engine unnarrowed so that it refuses what the format cannot hold.
        if (parts.size() > 2)
            f.length = Count(definition, parts[2]);
        if (parts.size() > 3)
            f.decimals = Count(definition, parts[3]);
        fields.push_back(f);
    }
    std::unique_ptr<Table> table;
    Check(Table::Create(path, fields, &table));
    return 0;
}

// Digits after the point that matter (trailing zeros do not); 0 for text without a point.
size_t Decimals(std::string_view text) {
    const std::string number = Trim(text);
    size_t point = number.find('.');
    if (point == std::string_view::npos)
        return 0;
    size_t last = number.find_last_not_of('0');
    return last > point ? last - point : 0;
}

int Load(const std::string& path, const std::string& csv, const std::string* index) {
    auto table = OpenTable(path);
    if (index)
        Check(table->OpenIndex(*index));
    std::ifstream in(csv, std::ios::binary);
    if (!in)
        Check(Status::NotFound(csv, "cannot open"));
    CsvReader reader(in);
    std::vector<std::string> header, row;
    std::string error;
    if (!reader.Next(&header, &error))
        Check(Status::InvalidArgument(csv, error.empty() ? "no header row" : "line 1, " + error));
    std::vector<int> fields;
    for (const std::string& name : header) {
        int f = table->schema().Find(Trim(name));
        if (f < 0)
            Check(Status::InvalidArgument(csv, "the table has no field " + name));
        if (std::find(fields.begin(), fields.end(), f) != fields.end())
            Check(Status::InvalidArgument(csv, "column " + Trim(name) + " appears twice"));
        fields.push_back(f);
    }
    std::vector<uint8_t> record(table->recordLength());
    std::string bytes;
    long count = 0;
    // A refused row stops the load; the rows before it stay stored, and the message says so.
    auto stop = [&](const std::string& what) {
        Check(Status::InvalidArgument(csv, "line " + std::to_string(reader.line()) + ", " + what +
                                               "; " + std::to_string(count) +
                                               (count == 1 ? " row was" : " rows were") +
                                               " stored before it"));
    };
    while (reader.Next(&row, &error)) {
        if (row.size() != fields.size()) {
            stop(std::to_string(row.size()) + " values for " + std::to_string(fields.size()) +
                 " columns");
        }
        record.assign(record.size(), ' ');
        for (const FieldDef& f : table->schema().fields())
            SetBlank(record.data(), f);
        MemoTexts memos;
        for (size_t i = 0; i < row.size(); ++i) {
            const FieldDef& f = table->schema()[size_t(fields[i])];
            Status s = FromUtf8(table->codePage(), row[i], &bytes);
            if (s.ok() && (f.type == 'N' || f.type == 'F') && Decimals(bytes) > f.decimals) {
                s = Status::InvalidArgument("", "'" + Trim(row[i]) + "' has more than " +
                                                    std::to_string(f.decimals) + " decimals");
            }
            if (!s.ok())
                stop("field " + f.name + ": " + s.message());
            if (f.type == 'M') {
                memos[fields[i]] = bytes;
            } else if (!(bytes.empty() && f.type != 'C')) {
                // The engine's refusal names the field.
                if (s = SetText(record.data(), f, bytes); !s.ok())
                    stop(s.message());
            }
        }
        uint32_t recno = 0;
        if (Status s = table->Append(record.data(), memos, &recno); !s.ok())
            stop(s.ToString());
        ++count;
    }
    if (!error.empty())
        stop(error);
    std::printf("%ld records loaded\n", count);
    return 0;
}

int Delete(const std::string& path, const std::vector<std::string>& recnos,
           const std::string* index) {
    auto table = OpenTable(path);
    if (index)
        Check(table->OpenIndex(*index));
    for (const std::string& r : recnos) {
        char* end = nullptr;
        unsigned long recno = std::strtoul(r.c_str(), &end, 10);
        if (*end != '\0' || recno == 0 || recno > table->recordCount()) {
            Check(Status::InvalidArgument(path, "no record " + r));
        }
        Check(table->SetDeleted(uint32_t(recno), true));
    }
    return 0;
}

// Sets a record count found too low to the whole records the file holds, once the user agreed
// (or --yes). The index files are checked and rebuilt at their next open.
int Repair(const std::string& path, bool yes) {
    auto table = OpenTable(path, true);
    const uint32_t count = table->recordCount(), extra = table->uncountedRecords();
    if (extra == 0) {
        std::printf("%s: the record count (%u) matches the file; nothing to repair\n", path.c_str(),
                    count);
        return 0;
    }
    std::printf(
        "%s: the header counts %u records, the file holds %u; the count will be set to "
        "%u\n",
        path.c_str(), count, count + extra, count + extra);
    if (!yes) {
        std::printf("Repair? [y/N] ");
        std::fflush(stdout);
        std::string answer;
        if (!std::getline(std::cin, answer) || (answer != "y" && answer != "Y")) {
            std::printf("nothing changed\n");
            return 1;
        }
    }
    Check(table->RepairRecordCount());
    std::printf("record count set to %u\n", table->recordCount());
    return 0;
}

// Pulls "--name VALUE" out of args; true when it was there.
bool TakeOption(std::vector<std::string>* args, const std::string& name, std::string* value) {
    for (size_t i = 0; i < args->size(); ++i) {
        if ((*args)[i] != name)
            continue;
        if (value != nullptr) {
            if (i + 1 >= args->size())
                Usage();
            *value = (*args)[i + 1];
            args->erase(args->begin() + long(i), args->begin() + long(i) + 2);
        } else {
            args->erase(args->begin() + long(i));
        }
        return true;
    }
    return false;
}

int Run(std::vector<std::string> args) {
    if (args.empty())
        Usage();
    const std::string command = args[0];
    args.erase(args.begin());
    std::string index;
    if (command == "info" && args.size() == 1)
        return Info(args[0]);
    if (command == "dump") {
        bool withIndex = TakeOption(&args, "--index", &index);
        if (args.size() == 1)
            return Dump(args[0], withIndex ? &index : nullptr);
    }
    if (command == "tags" && args.size() == 1)
        return Tags(args[0]);
    if (command == "walk") {
        bool deleted = TakeOption(&args, "--deleted", nullptr);
        if (args.size() == 3)
            return Walk(args[0], args[1], args[2], deleted);
    }
    if (command == "seek" && args.size() == 4)
        return Seek(args[0], args[1], args[2], args[3]);
    if (command == "check" && args.size() == 2)
        return CheckIndex(args[0], args[1]);
    if (command == "index" && args.size() == 4)
        return Index(args[0], args[1], args[2], args[3]);
    if (command == "pack" && (args.size() == 1 || args.size() == 2)) {
        return Pack(args[0], args.size() == 2 ? &args[1] : nullptr);
    }
    if (command == "create" && args.size() >= 2) {
        return Create(args[0], std::vector<std::string>(args.begin() + 1, args.end()));
    }
    if (command == "load") {
        bool withIndex = TakeOption(&args, "--index", &index);
        if (args.size() == 2)
            return Load(args[0], args[1], withIndex ? &index : nullptr);
    }
    if (command == "repair") {
        bool yes = TakeOption(&args, "--yes", nullptr);
        if (args.size() == 1)
            return Repair(args[0], yes);
    }
    if (command == "delete") {
        bool withIndex = TakeOption(&args, "--index", &index);
        if (args.size() >= 2) {
            return Delete(args[0], std::vector<std::string>(args.begin() + 1, args.end()),
                          withIndex ? &index : nullptr);
        }
    }
    Usage();
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const Failure& f) {
        std::fprintf(stderr, "xbtool: %s\n", f.status.ToString().c_str());
        return 2;
    }
}
