#pragma once

// The list row became core::OntRecord; this name stays only for the includes
// that have not moved to core/ont_record.h yet.
#include "core/ont_record.h"
