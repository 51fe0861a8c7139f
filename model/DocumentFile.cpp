#include "model/DocumentFile.h"

#include "model/ByteReader.h"
#include "model/ByteWriter.h"
#include "model/FileReader.h"
#include "model/ModelMessages.h"
#include "model/ReadError.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace plumex {

namespace {

constexpr std::string_view Magic = "PlumexData";
constexpr std::size_t MagicSize = 16;
constexpr std::size_t MinPathRecordSize = 12; // name length, flags, anchor count

// The magic is compared as text: it ends at the first zero byte within its 16 bytes.
void readMagic(ByteInput& in) {
    if (in.remaining() < MagicSize) throw ReadError(messageText(Message::NotPlumexFile));
    const auto field = in.take(MagicSize);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    const std::string_view text(reinterpret_cast<const char*>(field.data()),
                                static_cast<std::size_t>(end - field.begin()));
    if (text != Magic) throw ReadError(messageText(Message::NotPlumexFile));
}

int readVersion(ByteInput& in) {
    const std::int32_t version = in.readInt32();
    if (version < 4) throw ReadError(messageText(Message::OldDataVersion));
    if (version > CurrentDocumentVersion) throw ReadError(messageText(Message::NewDataVersion));
    return version;
}

// A scale or picture factor: the view divides by it, so it must be a positive number.
double readPositive(ByteInput& in) {
    const double v = in.readFinite();
    if (!(v > 0)) throw ReadError(InvalidData);
    return v;
}

void readView(ByteInput& in, DocumentSettings& settings) {
    settings.scale = readPositive(in);
    settings.viewCentre = in.readCoord();
}

void readDraft(ByteInput& in, DraftReference& draft) {
    draft.fileName = in.readText();
    if (draft.fileName.empty()) return;
    draft.position = in.readCoord();
    draft.factor = readPositive(in);
}

std::vector<double> readGuides(ByteInput& in) {
    std::vector<double> guides(in.readCount(sizeof(double)));
    for (double& g : guides) g = in.readFinite();
    return guides;
}

const TCvLine& readPath(ByteInput& in, int version, std::vector<TCvLine>& lines) {
    TCvLine line;
    line.Read(in, version);
    line.SelectAll(false);
    lines.push_back(std::move(line));
    return lines.back();
}

void readVersion4(ByteInput& in, DocumentContent& doc) {
    readDraft(in, doc.settings.draft);
    readView(in, doc.settings);
    while (!in.atEnd()) readPath(in, 4, doc.lines);
}

void readVersion5(ByteInput& in, DocumentContent& doc, const PathWatcher& watcher) {
    const std::size_t count = in.readCount(MinPathRecordSize);
    // Reserved whole, so a path handed to the watcher never moves.
    doc.lines.reserve(count);
    if (watcher.counted) watcher.counted(count);
    for (std::size_t i = 0; i < count; ++i) {
        const TCvLine& line = readPath(in, 5, doc.lines);
        if (watcher.read) watcher.read(line);
    }
    readView(in, doc.settings);
    doc.settings.verticalGuides = readGuides(in);
    doc.settings.horizontalGuides = readGuides(in);
    readDraft(in, doc.settings.draft);
}

std::size_t encodedSize(std::size_t count, const PathAt& path, const DocumentSettings& s) {
    std::size_t n = MagicSize + 4 + 4 + 8 + 16 + 4 + 4 + 4 + s.draft.fileName.size() + 24;
    n += 8 * (s.verticalGuides.size() + s.horizontalGuides.size());
    for (std::size_t i = 0; i < count; ++i) {
        const TCvLine& line = path(i);
        n += MinPathRecordSize + line.name.size() + 50 * line.points.size();
    }
    return n;
}

// The same rules the reader applies, so that a file written can always be opened again.
void checkWritable(const DocumentSettings& s) {
    const auto finite = [](TCvCoord p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    const auto allFinite = [](const std::vector<double>& v) {
        return std::all_of(v.begin(), v.end(), [](double g) { return std::isfinite(g); });
    };
    if (!positive(s.scale) || !finite(s.viewCentre))
        throw std::domain_error("The view scale or centre is not a usable number");
    if (!allFinite(s.verticalGuides) || !allFinite(s.horizontalGuides))
        throw std::domain_error("A guide line is not at a finite position");
    if (!s.draft.fileName.empty() && (!finite(s.draft.position) || !positive(s.draft.factor)))
        throw std::domain_error("The draft picture's placement is not a usable number");
}

void writeGuides(ByteWriter& out, const std::vector<double>& guides) {
    out.writeCount(guides.size());
    for (double g : guides) out.writeDouble(g);
}

} // namespace

DocumentContent readDocument(ByteInput& in) {
    DocumentContent doc;
    readDocument(in, doc, PathWatcher{});
    return doc;
}

void readDocument(ByteInput& in, DocumentContent& doc, const PathWatcher& watcher) {
    readMagic(in);
    doc.version = readVersion(in);
    if (doc.version == 4)
        readVersion4(in, doc);
    else
        readVersion5(in, doc, watcher);
}

DocumentContent readDocument(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    return readDocument(in);
}

DocumentContent readDocumentFile(const std::string& fileName) {
    FileReader in(fileName);
    return readDocument(in);
}

void readDocumentFile(const std::string& fileName, DocumentContent& doc,
                      const PathWatcher& watcher) {
    FileReader in(fileName);
    readDocument(in, doc, watcher);
}

std::vector<std::uint8_t> writeDocument(const std::vector<TCvLine>& lines,
                                        const DocumentSettings& settings) {
    return writeDocument(
        lines.size(), [&lines](std::size_t i) -> const TCvLine& { return lines[i]; }, settings);
}

std::vector<std::uint8_t> writeDocument(std::size_t count, const PathAt& path,
                                        const DocumentSettings& settings) {
    checkWritable(settings);
    ByteWriter out;
    out.reserve(encodedSize(count, path, settings));
    std::uint8_t magic[MagicSize] = {};
    std::memcpy(magic, Magic.data(), Magic.size());
    out.writeBytes(magic, MagicSize);
    out.writeInt32(CurrentDocumentVersion);
    out.writeCount(count);
    for (std::size_t i = 0; i < count; ++i) path(i).Write(out, CurrentDocumentVersion);
    out.writeDouble(settings.scale);
    out.writeCoord(settings.viewCentre);
    writeGuides(out, settings.verticalGuides);
    writeGuides(out, settings.horizontalGuides);
    out.writeText(settings.draft.fileName);
    if (!settings.draft.fileName.empty()) {
        out.writeCoord(settings.draft.position);
        out.writeDouble(settings.draft.factor);
    }
    return out.release();
}

} // namespace plumex
