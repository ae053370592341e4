#pragma once
// Start-up: every global to its start state, settings loaded, theme derived, both panels listed.
void startUp();
// The ready message in the current language.
const wchar_t* readyMessage();
