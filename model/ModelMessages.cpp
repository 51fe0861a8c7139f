#include "model/ModelMessages.h"

namespace plumex {

namespace {

MessageLookup currentLookup = nullptr;

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::string_view englishText(Message m) {
    switch (m) {
    case Message::NotPlumexFile:
        return "Not a Plumex File";
    case Message::NewDataVersion:
        return "New Data Version.\r\nUse Current Version of Plumex.";
    case Message::OldDataVersion:
        return "Old Data Version.\r\nUse Plumex of version %V or Older.";
    case Message::FailedToLoadDraft:
        return "Failed To Load Draft Image.";
    }
    return {};
}

void setMessageLookup(MessageLookup lookup) {
    currentLookup = lookup;
}

std::string messageText(Message m) {
    const std::string_view english = englishText(m);
    std::string text =
        currentLookup ? currentLookup(static_cast<int>(m), english) : std::string(english);
    if (m == Message::OldDataVersion) replaceAll(text, "%V", "0.4");
    return text;
}

} // namespace plumex
