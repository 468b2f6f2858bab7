// GCstar's collection file (.gcs): a root <collection type="GCmusics" items="N" version="..."> with
// an <information> block and one <item> per album. A plain field is an attribute of the item or a
// child element holding its text; a list field (the track list) is a child element holding one
// <line> per row and one <col> per column: number, title, time.
#include <QRegularExpression>

#include "platform/foreign/collection_readers.h"
#include "platform/foreign/xml_feed.h"

namespace foreign {

namespace {

// A field as text: a list's rows joined, each row's columns joined.
QString GcstarText(const XmlNode& item, QStringView field) {
    const XmlNode* node = item.child(field);
    if (!node)
        return item.attribute(field).trimmed();
    if (node->children.empty())
        return node->text;
    QStringList rows;
    for (const XmlNode& line : node->children) {
        QStringList columns;
        for (const XmlNode& column : line.children)
            if (!column.text.isEmpty())
                columns << column.text;
        if (!columns.isEmpty())
            rows << columns.join(u" - ");
    }
    return rows.join(u"; ");
}

void GcstarTracks(const XmlNode& item, Source* source) {
    const XmlNode* tracks = item.child(u"tracks");
    if (!tracks)
        return;
    for (const XmlNode& line : tracks->children) {
        QStringList columns;
        for (const XmlNode& column : line.children)
            columns << column.text;
        Track track;
        track.number = columns.value(0).toInt();
        track.title = columns.value(1).trimmed().toStdString();
        track.seconds = ParseTrackTime(columns.value(2));
        if (track.seconds == -2 && source->refusal.empty())
            source->refusal = "track " + std::to_string(source->tracks.size() + 1) +
                              ": the time \"" + columns.value(2).trimmed().toStdString() +
                              "\" is not a time";
        source->tracks.push_back(std::move(track));
    }
}

Source GcstarSource(const XmlNode& item, int ordinal) {
    Source source;
    const QString id = item.attribute(u"id");
    source.origin = "item " + (id.isEmpty() ? std::to_string(ordinal) : id.toStdString());
    source.title = GcstarText(item, u"title").toStdString();
    source.artist = GcstarText(item, u"artist").toStdString();
    source.label = GcstarText(item, u"label").toStdString();
    source.genre = GcstarText(item, u"genre").toStdString();
    source.medium = GcstarText(item, u"format").toStdString();
    // The release date is free text ("1994", "12/03/1994"): its year is what the catalogue keeps.
    const QString release = GcstarText(item, u"release");
    static const QRegularExpression yearIn(QStringLiteral("(?:^|\\D)(\\d{4})(?:\\D|$)"));
    const QRegularExpressionMatch year = yearIn.match(release);
    if (year.hasMatch())
        source.year = year.captured(1).toStdString();
    if (!release.isEmpty() && release != year.captured(1))
        source.notes.emplace_back("Release", release.toStdString());
    GcstarTracks(item, &source);

    static const QStringList placed = {
        QStringLiteral("title"),    QStringLiteral("artist"),  QStringLiteral("label"),
        QStringLiteral("genre"),    QStringLiteral("format"),  QStringLiteral("release"),
        QStringLiteral("tracks"),   QStringLiteral("id"),      QStringLiteral("cover"),
        QStringLiteral("backpic"),  QStringLiteral("added"),   QStringLiteral("favourite"),
        QStringLiteral("borrower"), QStringLiteral("lendDate")};
    const auto keep = [&](const QString& name, const QString& text) {
        if (placed.contains(name) || text.isEmpty())
            return;
        // Any other field under its own name, written as a heading: "unique" as "Unique".
        const std::string label =
            name == u"comment" ? "Comments" : (name.left(1).toUpper() + name.mid(1)).toStdString();
        source.notes.emplace_back(label, text.toStdString());
    };
    for (const auto& [name, value] : item.attributes)
        keep(name, value.trimmed());
    for (const XmlNode& child : item.children)
        keep(child.name, GcstarText(item, child.name));
    return source;
}

}  // namespace

tunelo::Status ReadGcstar(const std::string& path, const Sink& sink, const Progress& progress) {
    return FeedXmlFile(path, "", progress, [&](XmlFeed& feed) {
        bool start = false;
        bool more = true;
        tunelo::Status status = feed.Next(&start, &more);
        if (!status.ok())
            return status;
        const QString type = more ? feed.attribute(u"type") : QString();
        if (!more || feed.name() != u"collection" || !type.startsWith(u"GC"))
            return tunelo::Status::InvalidArgument(path, "not a GCstar collection file");
        if (type != u"GCmusics")
            return tunelo::Status::InvalidArgument(
                path, "this GCstar file holds a " + type.toStdString() +
                          " collection; only a music collection (GCmusics) can be imported");
        int ordinal = 0;
        while (more) {
            status = feed.Next(&start, &more);
            if (!status.ok())
                return status;
            if (!more || !start)
                continue;
            if (feed.name() == u"item") {
                XmlNode node;
                status = feed.ReadNode(&node);
                if (status.ok())
                    status = sink(GcstarSource(node, ++ordinal));
            } else {
                status = feed.SkipElement();
            }
            if (!status.ok())
                return status;
        }
        return tunelo::Status::OK();
    });
}

}  // namespace foreign
