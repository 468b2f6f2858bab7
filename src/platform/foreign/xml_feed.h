// An XML document read piece by piece from a file or a zip member, so that no file is held whole.
// Other programs' files are not trusted: a document type that declares any entity is refused
// before anything in it is expanded, an entity reference is refused, and nothing is ever fetched.
// Each element of interest is read into a small tree of its own (an entry, an item) for mapping.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QString>
#include <QXmlStreamReader>

#include "platform/foreign/foreign_source.h"

namespace foreign {

struct XmlNode {
    QString name;
    std::vector<std::pair<QString, QString>> attributes;
    QString text;
    std::vector<XmlNode> children;

    const XmlNode* child(QStringView childName) const;
    QString attribute(QStringView attributeName) const;
    // The text of the child `childName`, or the attribute of that name when there is no such child.
    QString value(QStringView childName) const;
};

class XmlFeed {
public:
    // Hands the next piece of the document; an empty piece with *end true at its end.
    using Pieces = std::function<tunelo::Status(std::string* piece, bool* end)>;
    // Called after each piece, to report progress.
    using Done = std::function<void()>;

    // `path` names the file in messages; `where` prefixes their line ("tellico.xml, " or "").
    XmlFeed(std::string path, std::string where, Pieces pieces, Done done);

    // The next start element (true) or end element (false) at any depth; `*more` false at the
    // end of the document. Text, comments and processing instructions are passed over.
    tunelo::Status Next(bool* start, bool* more);
    // Reads the element just started, with all it holds, into `node`.
    tunelo::Status ReadNode(XmlNode* node);
    tunelo::Status SkipElement();

    QStringView name() const { return xml_.name(); }
    QString attribute(QStringView attributeName) const;
    // "line 12" (with the member's name when reading from an archive).
    std::string Where() const;
    tunelo::Status Fail(const std::string& what) const;

private:
    tunelo::Status Token(QXmlStreamReader::TokenType* type);
    tunelo::Status ReadNodeAt(XmlNode* node, int depth);

    std::string path_;
    std::string where_;
    Pieces pieces_;
    Done done_;
    bool ended_ = false;
    QXmlStreamReader xml_;
};

// Whole seconds of a track time ("3:45", "1:02:03", "225"); -1 when `text` is empty, -2 when
// it is not a time.
int ParseTrackTime(const QString& text);

// Feeds the file at `path`, or the member `member` of it when it is a zip archive (member empty:
// never a zip), to `read`, and reports progress over the file's bytes.
tunelo::Status FeedXmlFile(const std::string& path, const std::string& member,
                           const Progress& progress,
                           const std::function<tunelo::Status(XmlFeed&)>& read);

}  // namespace foreign
