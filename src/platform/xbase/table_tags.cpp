// Creating tags on a table: compiling and checking their expressions, sorting the table's keys
// (two tags at a time, one per core) and building each tag in one pass.
#include <algorithm>
#include <cctype>
#include <future>

#include "platform/xbase/table.h"

namespace xbase {

Status Table::SortKeysInTurn(const std::vector<const Expression*>& expressions,
                             const ProgressFn& progress, const std::string& beside,
                             const std::function<Status(size_t, SortedKeys&)>& use) const {
    const uint64_t total = uint64_t(expressions.size()) * recordCount();
    // One sorter per core, each with its own scratch file; reused from tag to tag.
    SortedKeys first, second;
    for (size_t i = 0; i < expressions.size(); i += 2) {
        const bool pair = i + 1 < expressions.size();
        // Reading records and evaluating keys are safe from two threads; the files are only written
        // below, on this thread.
        std::future<Status> other;
        if (pair) {
            other = std::async(std::launch::async, [&] {
                return SortKeys(*expressions[i + 1], nullptr, 0, 1, beside + ".sort2", &second);
            });
        }
        Status s = SortKeys(*expressions[i], progress, uint64_t(i) * recordCount(), total,
                            beside + ".sort1", &first);
        Status t = pair ? other.get() : Status::OK();
        XB_RETURN_IF_ERROR(s);
        XB_RETURN_IF_ERROR(t);
        XB_RETURN_IF_ERROR(use(i, first));
        if (pair)
            XB_RETURN_IF_ERROR(use(i + 1, second));
        if (progress)
            progress(uint64_t(std::min(i + 2, expressions.size())) * recordCount(), total);
    }
    return Status::OK();
}

CdxFile* Table::IndexFileFor(const std::string& indexPath, Status* status) {
    for (const auto& f : indexes_) {
        if (f->path() == indexPath)
            return f.get();
    }
    if (FileExistsNoCase(indexPath)) {
        *status = OpenIndex(indexPath);
    } else {
        std::unique_ptr<CdxFile> created;
        *status = CdxFile::Create(indexPath, &created);
        if (status->ok())
            indexes_.push_back(std::move(created));
    }
    return status->ok() ? indexes_.back().get() : nullptr;
}

bool Table::TagKeyIs(const OpenTag& tag, std::string_view expression) const {
    std::unique_ptr<Expression> compiled;
    return Expression::Compile(expression, schema(), *codePage_, &compiled).ok() &&
           compiled->SameAs(*tag.expression);
}

Status Table::CreateTag(const std::string& indexPath, std::string_view tagName,
                        std::string_view expression) {
    return CreateTags(indexPath, {{std::string(tagName), std::string(expression)}});
}

Status Table::CreateTags(const std::string& requested,
                         const std::vector<std::pair<std::string, std::string>>& defs,
                         const ProgressFn& progress) {
    if (options_.readOnly)
        return Status::InvalidArgument(path(), "the table is open read-only");
    std::vector<std::unique_ptr<OpenTag>> created;
    std::vector<const Expression*> expressions;
    for (const auto& [name, text] : defs) {
        auto open = std::make_unique<OpenTag>();
        Status compiled = Expression::Compile(text, schema(), *codePage_, &open->expression);
        if (!compiled.ok())
            return Status::InvalidArgument(requested, "tag " + name + ": " + compiled.message());
        const Expression& expr = *open->expression;
        if (expr.type() == ValueType::kLogical) {
            return Status::InvalidArgument(requested,
                                           "a logical expression cannot be an index key: " + text);
        }
        if (expr.keyLength() == 0 || expr.keyLength() > 240) {
            return Status::InvalidArgument(
                requested, "the key of " + text + " is " + std::to_string(expr.keyLength()) +
                               " bytes long; a tag holds keys of 1 to 240 bytes");
        }
        expressions.push_back(open->expression.get());
        created.push_back(std::move(open));
    }
    const std::string indexPath = ResolvePathNoCase(requested);
    Status opened;
    CdxFile* file = IndexFileFor(indexPath, &opened);
    XB_RETURN_IF_ERROR(opened);

    XB_RETURN_IF_ERROR(BeginWrite());
    Status s =
        SortKeysInTurn(expressions, progress, indexPath, [&](size_t i, SortedKeys& keys) -> Status {
            std::string name = defs[i].first;
            for (char& c : name)
                c = char(std::toupper(static_cast<unsigned char>(c)));
            OpenTag& open = *created[i];
            open.file = file;
            const uint8_t trail = open.expression->type() == ValueType::kCharacter ? ' ' : 0;
            XB_RETURN_IF_ERROR(file->SetDirty(true));
            XB_RETURN_IF_ERROR(file->AddTag(name, open.expression->text(),
                                            open.expression->keyLength(), trail, keys.Source(),
                                            &open.tag));
            XB_RETURN_IF_ERROR(keys.status());
            XB_RETURN_IF_ERROR(file->SetDirty(false));
            // A replaced tag keeps its OpenTag object, which cursors may hold as their order.
            auto same = std::find_if(tags_.begin(), tags_.end(), [&](const auto& t) {
                return t->file == file && EqualsNoCase(t->name(), name);
            });
            if (same != tags_.end()) {
                (*same)->tag = open.tag;
                (*same)->expression = std::move(open.expression);
            } else {
                tags_.push_back(std::move(created[i]));
            }
            ++tagEpoch_;
            return Status::OK();
        });
    return EndWrite(s);
}

}  // namespace xbase
