#pragma once

// Two-way synchronisation of a document with a CalDAV and CardDAV server.
#include "Discovery.h"
#include "SyncAccount.h"
#include "SyncReport.h"
#include "SyncSession.h"
