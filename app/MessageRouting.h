#pragma once
// Sends the texts of the model's read errors through the current language.

namespace plumex {

// Installs the language lookup for the model's messages; called once at start-up.
void routeModelMessages();

} // namespace plumex
