// The xmcd text format of freedb and its successors: comments ("# Track frame offsets:", the
// offsets one per comment line, "# Disc length: N seconds") followed by KEYWORD=data lines, where
// a keyword given on several lines has its data run on, and "\n", "\t" and "\\" stand for a line
// break, a tab and a backslash.
#include <algorithm>
#include <charconv>
#include <map>

#include "platform/discinfo/disc_data_folder.h"

namespace discinfo {

namespace {

// A CD holds at most 99 tracks; the freedb ID holds the length in 16 bits of seconds.
constexpr size_t kXmcdMostTracks = 99;
constexpr long kXmcdMostFrames = 65535L * 75;

bool XmcdValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size())
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string XmcdLatin1ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string_view XmcdTrim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A whole decimal number that fills `s` (blanks around it allowed), at most `most`.
bool XmcdNumber(std::string_view s, long most, long* value) {
    s = XmcdTrim(s);
    const auto [end, fault] = std::from_chars(s.data(), s.data() + s.size(), *value);
    return !s.empty() && fault == std::errc() && end == s.data() + s.size() && *value >= 0 &&
           *value <= most;
}

// The data of a keyword as text for one line of a field: escapes resolved, a line break or a tab
// becomes a blank, blanks around it dropped.
std::string XmcdFieldText(std::string_view raw) {
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            const char next = raw[++i];
            out += next == 'n' || next == 't' ? ' ' : next;
        } else {
            out += raw[i] == '\t' ? ' ' : raw[i];
        }
    }
    return std::string(XmcdTrim(out));
}

// "Artist / Title" split at its first " / "; without one, both are the whole text.
void XmcdSplitArtist(const std::string& text, std::string* artist, std::string* title) {
    const size_t slash = text.find(" / ");
    if (slash == std::string::npos) {
        *artist = text;
        *title = text;
        return;
    }
    *artist = std::string(XmcdTrim(std::string_view(text).substr(0, slash)));
    *title = std::string(XmcdTrim(std::string_view(text).substr(slash + 3)));
}

bool XmcdVarious(std::string_view artist) {
    std::string lower(artist.substr(0, 7));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
    return lower == "various";
}

// What the comments and keywords of one record say, before it becomes a candidate.
struct XmcdFields {
    std::vector<int> offsets;
    long lengthSeconds = -1;
    std::string dtitle, dyear;
    std::map<size_t, std::string> ttitles;  // raw data by track index
};

bool XmcdFail(std::string* error, std::string what) {
    if (error)
        *error = std::move(what);
    return false;
}

bool XmcdReadLines(std::string_view text, XmcdFields* f, std::string* error) {
    enum class Offsets { Before, In, After } offsets = Offsets::Before;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (line.front() == '#') {
            const std::string_view comment = XmcdTrim(line.substr(1));
            long value = 0;
            if (offsets == Offsets::In && XmcdNumber(comment, kXmcdMostFrames, &value)) {
                if (f->offsets.size() == kXmcdMostTracks)
                    return XmcdFail(error, "more than 99 track frame offsets");
                if (!f->offsets.empty() && value <= f->offsets.back())
                    return XmcdFail(error, "track frame offsets out of order");
                f->offsets.push_back(int(value));
                continue;
            }
            if (offsets == Offsets::In)
                offsets = Offsets::After;
            if (comment == "Track frame offsets:" && offsets == Offsets::Before) {
                offsets = Offsets::In;
            } else if (comment.starts_with("Disc length:")) {
                // "N seconds", "N" (gnudb) or "N secs": the number and whatever word follows.
                std::string_view n = XmcdTrim(comment.substr(12));
                n = n.substr(0, n.find(' '));
                if (!XmcdNumber(n, kXmcdMostFrames / 75, &f->lengthSeconds))
                    return XmcdFail(error, "a disc length that is no number of seconds");
            }
            continue;
        }
        offsets = offsets == Offsets::In ? Offsets::After : offsets;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;  // not a keyword line: nothing a look-up needs
        const std::string_view key = line.substr(0, equals);
        const std::string_view data = line.substr(equals + 1);
        if (key == "DTITLE") {
            f->dtitle += data;
        } else if (key == "DYEAR") {
            f->dyear += data;
        } else if (key.starts_with("TTITLE")) {
            long index = 0;
            if (!XmcdNumber(key.substr(6), long(kXmcdMostTracks) - 1, &index))
                return XmcdFail(error, "a track title of no track (" + std::string(key) + ")");
            f->ttitles[size_t(index)] += data;
        }
        // DISCID, DGENRE, EXTD, EXTTn, PLAYORDER and unknown keywords add nothing a candidate
        // holds.
    }
    return true;
}

}  // namespace

bool ParseXmcd(std::string_view bytes, XmcdRecord* out, std::string* error) {
    if (bytes.size() > kXmcdMostBytes)
        return XmcdFail(error, "larger than 1 MB: no disc record");
    if (bytes.find('\0') != std::string_view::npos)
        return XmcdFail(error, "binary data: no disc record");
    std::string text = XmcdValidUtf8(bytes) ? std::string(bytes) : XmcdLatin1ToUtf8(bytes);
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    if (!text.starts_with("# xmcd"))
        return XmcdFail(error, "does not begin with \"# xmcd\": no disc record");
    XmcdFields f;
    if (!XmcdReadLines(text, &f, error))
        return false;
    if (f.offsets.empty())
        return XmcdFail(error, "no \"# Track frame offsets:\"");
    if (f.lengthSeconds < 0)
        return XmcdFail(error, "no \"# Disc length:\"");

    XmcdRecord record;
    record.offsets = f.offsets;
    record.lengthSeconds = int(f.lengthSeconds);
    DiscCandidate& c = record.candidate;
    c.origin = Origin::DiscData;
    XmcdSplitArtist(XmcdFieldText(f.dtitle), &c.artist, &c.title);
    const std::string year = XmcdFieldText(f.dyear);
    if (year.size() == 4 &&
        std::all_of(year.begin(), year.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        c.year = year;
    const size_t count = f.offsets.size();
    // A sampler gives each track as "Artist / Title": its disc artist is "Various", or every
    // track title has the divider.
    bool split = XmcdVarious(c.artist);
    if (!split) {
        size_t titled = 0, divided = 0;
        for (const auto& [index, raw] : f.ttitles) {
            const std::string title = index < count ? XmcdFieldText(raw) : "";
            titled += !title.empty();
            divided += title.find(" / ") != std::string::npos;
        }
        split = divided > 0 && divided == titled;
    }
    const long endFrames = f.lengthSeconds * 75;
    for (size_t i = 0; i < count; ++i) {
        CandidateTrack track;
        const auto found = f.ttitles.find(i);
        const std::string title = found == f.ttitles.end() ? "" : XmcdFieldText(found->second);
        if (split && title.find(" / ") != std::string::npos)
            XmcdSplitArtist(title, &track.artist, &track.title);
        else
            track.title = title;
        const long end = i + 1 < count ? f.offsets[i + 1] : endFrames;
        track.seconds = end > f.offsets[i] ? int((end - f.offsets[i]) / 75) : 0;
        c.tracks.push_back(std::move(track));
    }
    *out = std::move(record);
    return true;
}

}  // namespace discinfo
