#pragma once
// The user-visible texts of the model's read errors, kept in one place. Language messages go
// through a lookup that the language tables install; fixed texts are never translated.

#include <string>
#include <string_view>

namespace plumex {

// Language message numbers.
enum class Message {
    NotPlumexFile = 4,
    NewDataVersion = 5,
    OldDataVersion = 6,
    FailedToLoadDraft = 7,
};

inline constexpr const char* InvalidData = "Invalid Data";
inline constexpr const char* StreamReadError = "Stream read error";

// The built-in English text of a message.
std::string_view englishText(Message m);

// Maps a message number and its English text to the text in the current language.
using MessageLookup = std::string (*)(int number, std::string_view english);
// nullptr restores the English texts.
void setMessageLookup(MessageLookup lookup);

// The text to show, with "%V" in the too-old message replaced by the last readable version.
std::string messageText(Message m);

} // namespace plumex
