#include "app/MessageRouting.h"

#include "app/Languages.h"
#include "model/ModelMessages.h"

namespace plumex {

namespace {

std::string lookup(int number, std::string_view english) {
    const std::string& text = message(number);
    return text.empty() ? std::string(english) : text;
}

} // namespace

void routeModelMessages() {
    setMessageLookup(&lookup);
}

} // namespace plumex
