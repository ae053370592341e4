#pragma once
// Start-up: every global to its start state, settings loaded, theme derived, both panels listed.
void startUp();
// The ready message in the current language.
const wchar_t* readyMessage();
// Every heap of the process gets the low-fragmentation front end, as Windows gives it by default:
// a document is thousands of small line blocks, and Wine allocates them otherwise at several times
// the cost.
void useLowFragmentationHeaps();
