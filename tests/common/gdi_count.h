#pragma once
// The number of GDI objects this process owns, for leak checks.
//
// GetGuiResources(GR_GDIOBJECTS) gives it on Windows. Under Wine that call is a stub returning 0,
// so there the count is taken from the GDI handle table that the PEB points to (its entries have
// the Windows layout, and Wine's table belongs to the process alone).
#include <cstdint>

int gdiObjectCount();
