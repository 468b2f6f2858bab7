// Tellico's data file: a zip archive holding tellico.xml, or that XML alone. Its root <tellico>
// (<bookcase> in the oldest files) holds one <collection> whose type attribute says what it
// collects (4: music); <fields> defines each field by name and title, and each <entry> holds one
// element per field, named after it. A field with several values is an element named with an
// added "s" holding one child per value; a table's rows hold one <column> per column.
#include <map>

#include <QRegularExpression>

#include "platform/foreign/collection_readers.h"
#include "platform/foreign/xml_feed.h"

namespace foreign {

namespace {

constexpr int kTellicoMusic = 4;
constexpr int kTellicoImageField = 10;

const char* TellicoKind(int type) {
    static const char* const kinds[] = {
        "custom", "book",  "video",        "music",      "bibliography", "comic book", "wine",
        "coin",   "stamp", "trading card", "video game", "file catalog", "board game"};
    return type >= 1 && type <= 13 ? kinds[type - 1] : "unknown";
}

struct TellicoField {
    QString title;
    int type = 1;
};
using TellicoFields = std::map<QString, TellicoField>;

// A field's values, single or several: <artist>A</artist> or <artists><artist>A</artist>...
QStringList TellicoValues(const XmlNode& entry, const QString& field) {
    QStringList values;
    if (const XmlNode* one = entry.child(field); one && !one->text.isEmpty())
        values << one->text;
    if (const XmlNode* many = entry.child(field + u's'))
        for (const XmlNode& value : many->children)
            if (!value.text.isEmpty())
                values << value.text;
    return values;
}

std::string TellicoJoined(const XmlNode& entry, const QString& field) {
    return TellicoValues(entry, field).join(u"; ").toStdString();
}

// The rows of a table field: columns as elements, or in the oldest files one text split by "::".
std::vector<QStringList> TellicoRows(const XmlNode& container) {
    std::vector<QStringList> rows;
    for (const XmlNode& row : container.children) {
        QStringList columns;
        for (const XmlNode& column : row.children)
            columns << column.text;
        if (row.children.empty())
            columns = row.text.split(QStringLiteral("::"));
        rows.push_back(columns);
    }
    return rows;
}

QString TellicoFieldText(const XmlNode& node) {
    if (node.children.empty())
        return node.text;
    QStringList values;
    for (const XmlNode& child : node.children) {
        QStringList columns;
        for (const XmlNode& column : child.children)
            columns << column.text;
        values << (child.children.empty() ? child.text : columns.join(u" - "));
    }
    return values.join(u"; ");
}

void TellicoTracks(const XmlNode& entry, Source* source) {
    const XmlNode* tracks = entry.child(u"tracks");
    if (!tracks)
        return;
    for (const QStringList& row : TellicoRows(*tracks)) {
        Track track;
        track.title = row.value(0).trimmed().toStdString();
        track.artist = row.value(1).trimmed().toStdString();
        track.seconds = ParseTrackTime(row.value(2));
        if (track.seconds == -2 && source->refusal.empty())
            source->refusal = "track " + std::to_string(source->tracks.size() + 1) +
                              ": the length \"" + row.value(2).trimmed().toStdString() +
                              "\" is not a time";
        source->tracks.push_back(std::move(track));
    }
}

Source TellicoSource(const XmlNode& entry, const TellicoFields& fields, int ordinal) {
    Source source;
    const QString id = entry.attribute(u"id");
    source.origin = "entry " + (id.isEmpty() ? std::to_string(ordinal) : id.toStdString());
    source.title = entry.value(u"title").toStdString();
    source.artist = TellicoJoined(entry, QStringLiteral("artist"));
    source.label = TellicoJoined(entry, QStringLiteral("label"));
    source.genre = TellicoJoined(entry, QStringLiteral("genre"));
    source.medium = TellicoJoined(entry, QStringLiteral("medium"));
    source.year = TellicoJoined(entry, QStringLiteral("year"));
    static const QRegularExpression yearForm(QStringLiteral("^\\d{4}$"));
    if (!source.year.empty() && !yearForm.match(QString::fromStdString(source.year)).hasMatch())
        source.refusal = "the year \"" + source.year + "\" is not a year";
    const QString bought = entry.value(u"pur_date");
    static const QRegularExpression dateForm(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (dateForm.match(bought).hasMatch())
        source.purchaseDate = bought.toStdString();
    else if (!bought.isEmpty())
        source.notes.emplace_back("Purchase date", bought.toStdString());
    const QString price = entry.value(u"pur_price");
    static const QRegularExpression priceForm(QStringLiteral("^\\d+([.,]\\d{1,2})?$"));
    if (priceForm.match(price).hasMatch())
        source.price = QString(price).replace(u',', u'.').toStdString();
    else if (!price.isEmpty())
        source.notes.emplace_back("Purchase price", price.toStdString());
    TellicoTracks(entry, &source);

    // Every other field the user kept goes to the memo under its own title: nothing is dropped.
    static const QStringList placed = {
        QStringLiteral("title"),     QStringLiteral("artist"), QStringLiteral("artists"),
        QStringLiteral("label"),     QStringLiteral("labels"), QStringLiteral("genre"),
        QStringLiteral("genres"),    QStringLiteral("medium"), QStringLiteral("mediums"),
        QStringLiteral("year"),      QStringLiteral("years"),  QStringLiteral("pur_date"),
        QStringLiteral("pur_price"), QStringLiteral("tracks"), QStringLiteral("id"),
        QStringLiteral("cdate"),     QStringLiteral("mdate")};
    for (const XmlNode& child : entry.children) {
        if (placed.contains(child.name))
            continue;
        QString name = child.name;
        auto field = fields.find(name);
        if (field == fields.end() && name.endsWith(u's'))
            field = fields.find(name.chopped(1));
        if (field != fields.end() && field->second.type == kTellicoImageField)
            continue;
        const QString text = TellicoFieldText(child);
        if (text.isEmpty())
            continue;
        // Without a field definition (a file that keeps Tellico's default fields) the element
        // name stands for the title: "comments" becomes "Comments".
        QString title = field != fields.end() ? field->second.title : QString();
        if (title.isEmpty()) {
            title = QString(name).replace(u'_', u' ');
            title[0] = title[0].toUpper();
        }
        source.notes.emplace_back(title.toStdString(), text.toStdString());
    }
    return source;
}

tunelo::Status TellicoCollection(XmlFeed& feed, const Sink& sink, const std::string& path) {
    const int type = feed.attribute(u"type").toInt();
    if (type != kTellicoMusic)
        return tunelo::Status::InvalidArgument(
            path, std::string("this Tellico file holds a ") + TellicoKind(type) +
                      " collection; only a music collection can be imported");
    TellicoFields fields;
    int ordinal = 0;
    for (;;) {
        bool start = false;
        bool more = true;
        tunelo::Status status = feed.Next(&start, &more);
        if (!status.ok())
            return status;
        if (!more)
            return feed.Fail("the XML stops in the middle: the file is cut short");
        if (!start)
            return tunelo::Status::OK();
        if (feed.name() == u"fields") {
            XmlNode node;
            status = feed.ReadNode(&node);
            for (const XmlNode& field : node.children)
                fields[field.attribute(u"name")] = {field.attribute(u"title"),
                                                    field.attribute(u"type").toInt()};
        } else if (feed.name() == u"entry") {
            XmlNode node;
            status = feed.ReadNode(&node);
            if (status.ok())
                status = sink(TellicoSource(node, fields, ++ordinal));
        } else {
            status = feed.SkipElement();
        }
        if (!status.ok())
            return status;
    }
}

}  // namespace

tunelo::Status ReadTellico(const std::string& path, const Sink& sink, const Progress& progress) {
    return FeedXmlFile(path, "tellico.xml", progress, [&](XmlFeed& feed) {
        bool start = false;
        bool more = true;
        tunelo::Status status = feed.Next(&start, &more);
        if (!status.ok())
            return status;
        if (!more || (feed.name() != u"tellico" && feed.name() != u"bookcase"))
            return tunelo::Status::InvalidArgument(path, "not a Tellico file");
        bool collectionRead = false;
        // The first collection is the file's; any further one is passed over, as Tellico does.
        while (more) {
            status = feed.Next(&start, &more);
            if (!status.ok())
                return status;
            if (!more || !start)
                continue;
            if (feed.name() == u"collection" && !collectionRead) {
                collectionRead = true;
                status = TellicoCollection(feed, sink, path);
            } else {
                status = feed.SkipElement();
            }
            if (!status.ok())
                return status;
        }
        if (!collectionRead)
            return tunelo::Status::InvalidArgument(path, "this Tellico file holds no collection");
        return tunelo::Status::OK();
    });
}

}  // namespace foreign
