#include "platform/foreign/xml_feed.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <QByteArray>

#include "platform/foreign/zip_archive.h"

namespace foreign {

namespace {

constexpr size_t kXmlPiece = 64 * 1024;
constexpr int kXmlMaxDepth = 64;

}  // namespace

const XmlNode* XmlNode::child(QStringView childName) const {
    for (const XmlNode& node : children)
        if (node.name == childName)
            return &node;
    return nullptr;
}

QString XmlNode::attribute(QStringView attributeName) const {
    for (const auto& [key, value] : attributes)
        if (key == attributeName)
            return value;
    return {};
}

QString XmlNode::value(QStringView childName) const {
    const XmlNode* node = child(childName);
    return node ? node->text : attribute(childName);
}

XmlFeed::XmlFeed(std::string path, std::string where, Pieces pieces, Done done)
    : path_(std::move(path)),
      where_(std::move(where)),
      pieces_(std::move(pieces)),
      done_(std::move(done)) {}

std::string XmlFeed::Where() const {
    return where_ + "line " + std::to_string(xml_.lineNumber());
}

tunelo::Status XmlFeed::Fail(const std::string& what) const {
    return tunelo::Status::Corruption(path_, Where() + ": " + what);
}

QString XmlFeed::attribute(QStringView attributeName) const {
    for (const QXmlStreamAttribute& attr : xml_.attributes())
        if (attr.name() == attributeName)
            return attr.value().toString();
    return {};
}

tunelo::Status XmlFeed::Token(QXmlStreamReader::TokenType* type) {
    for (;;) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (xml_.hasError()) {
            if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError && !ended_) {
                std::string piece;
                bool end = false;
                tunelo::Status status = pieces_(&piece, &end);
                if (!status.ok())
                    return status;
                if (done_)
                    done_();
                if (end)
                    ended_ = true;
                else
                    xml_.addData(QByteArray(piece.data(), static_cast<qsizetype>(piece.size())));
                continue;
            }
            if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError)
                return Fail("the XML stops in the middle: the file is cut short");
            // The reader decodes a whole piece at once: the line of a bad byte is not known.
            if (xml_.errorString().contains(u"incorrectly encoded"))
                return tunelo::Status::Corruption(
                    path_, where_ +
                               "the text is not valid in the encoding the file declares "
                               "(UTF-8 when it declares none)");
            return Fail("the XML is not well formed: " + xml_.errorString().toStdString());
        }
        // An entity may expand to anything (billion laughs) or point outside the file: such a
        // document is refused before any of its content is read.
        if (token == QXmlStreamReader::DTD &&
            (!xml_.entityDeclarations().isEmpty() || xml_.text().contains(u"<!ENTITY")))
            return Fail("the document type declares XML entities, which are refused");
        if (token == QXmlStreamReader::EntityReference)
            return Fail("the XML refers to the entity &" + xml_.name().toString().toStdString() +
                        ";, which is refused");
        *type = token;
        return tunelo::Status::OK();
    }
}

tunelo::Status XmlFeed::Next(bool* start, bool* more) {
    for (;;) {
        QXmlStreamReader::TokenType token;
        tunelo::Status status = Token(&token);
        if (!status.ok())
            return status;
        if (token == QXmlStreamReader::EndDocument) {
            *more = false;
            return tunelo::Status::OK();
        }
        if (token == QXmlStreamReader::StartElement || token == QXmlStreamReader::EndElement) {
            *start = token == QXmlStreamReader::StartElement;
            *more = true;
            return tunelo::Status::OK();
        }
    }
}

tunelo::Status XmlFeed::ReadNode(XmlNode* node) {
    return ReadNodeAt(node, 0);
}

tunelo::Status XmlFeed::SkipElement() {
    int depth = 1;
    while (depth > 0) {
        bool start = false;
        bool more = true;
        tunelo::Status status = Next(&start, &more);
        if (!status.ok())
            return status;
        if (!more)
            return Fail("the XML stops in the middle: the file is cut short");
        depth += start ? 1 : -1;
    }
    return tunelo::Status::OK();
}

tunelo::Status XmlFeed::ReadNodeAt(XmlNode* node, int depth) {
    if (depth > kXmlMaxDepth)
        return Fail("the XML is nested too deeply");
    node->name = xml_.name().toString();
    for (const QXmlStreamAttribute& attribute : xml_.attributes())
        node->attributes.emplace_back(attribute.name().toString(), attribute.value().toString());
    for (;;) {
        QXmlStreamReader::TokenType token;
        tunelo::Status status = Token(&token);
        if (!status.ok())
            return status;
        if (token == QXmlStreamReader::Characters) {
            node->text += xml_.text();
        } else if (token == QXmlStreamReader::StartElement) {
            node->children.emplace_back();
            status = ReadNodeAt(&node->children.back(), depth + 1);
            if (!status.ok())
                return status;
        } else if (token == QXmlStreamReader::EndElement) {
            node->text = node->text.trimmed();
            return tunelo::Status::OK();
        } else if (token == QXmlStreamReader::EndDocument) {
            return Fail("the XML stops in the middle: the file is cut short");
        }
    }
}

namespace {

// Skips a byte order mark and white space: an XML file starts with '<'.
bool FeedStartsAsXml(const std::string& head) {
    size_t i = 0;
    if (head.compare(0, 3, "\xEF\xBB\xBF") == 0)
        i = 3;
    else if (head.compare(0, 2, "\xFF\xFE") == 0 || head.compare(0, 2, "\xFE\xFF") == 0)
        i = 2;
    while (i < head.size() && (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' ||
                               head[i] == '\n' || head[i] == '\0'))
        ++i;
    return i < head.size() && head[i] == '<';
}

}  // namespace

int ParseTrackTime(const QString& text) {
    const QString time = text.trimmed();
    if (time.isEmpty())
        return -1;
    const QStringList parts = time.split(u':');
    if (parts.size() > 3)
        return -2;
    int seconds = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts[i].toInt(&ok);
        const bool digits = !parts[i].isEmpty() && parts[i].size() <= 6 &&
                            std::all_of(parts[i].begin(), parts[i].end(),
                                        [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!ok || !digits || (i > 0 && value > 59))
            return -2;
        seconds = seconds * 60 + value;
    }
    return seconds;
}

tunelo::Status FeedXmlFile(const std::string& path, const std::string& member,
                           const Progress& progress,
                           const std::function<tunelo::Status(XmlFeed&)>& read) {
    if (!member.empty() && LooksLikeZip(path)) {
        std::unique_ptr<ZipMember> zip;
        tunelo::Status status = ZipMember::Open(path, member, &zip);
        if (!status.ok())
            return status;
        ZipMember* source = zip.get();
        XmlFeed feed(
            path, member + ", ",
            [source](std::string* piece, bool* end) { return source->Read(piece, end); },
            [source, &progress] {
                if (progress)
                    progress(source->archiveDone(), source->archiveSize());
            });
        status = read(feed);
        // The whole member is read, so that its size and CRC are checked even when the XML
        // ended before it.
        for (bool end = false; status.ok() && !end;) {
            std::string rest;
            status = source->Read(&rest, &end);
        }
        if (status.ok() && progress)
            progress(source->archiveDone(), source->archiveSize());
        return status;
    }
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return tunelo::Status::NotFound(path, "the file cannot be opened");
    std::fseek(file.get(), 0, SEEK_END);
    const uint64_t total = static_cast<uint64_t>(std::max(0L, std::ftell(file.get())));
    std::rewind(file.get());
    std::string head(512, '\0');
    head.resize(std::fread(head.data(), 1, head.size(), file.get()));
    std::rewind(file.get());
    if (!FeedStartsAsXml(head))
        return tunelo::Status::Corruption(
            path, member.empty() ? "not an XML file" : "neither a zip archive nor an XML file");
    uint64_t done = 0;
    std::FILE* in = file.get();
    XmlFeed feed(
        path, "",
        [in, &done, &path](std::string* piece, bool* end) {
            piece->resize(kXmlPiece);
            piece->resize(std::fread(piece->data(), 1, piece->size(), in));
            if (piece->empty() && std::ferror(in))
                return tunelo::Status::IOError(path, "the file cannot be read");
            done += piece->size();
            *end = piece->empty();
            return tunelo::Status::OK();
        },
        [&done, total, &progress] {
            if (progress)
                progress(done, total);
        });
    return read(feed);
}

}  // namespace foreign
