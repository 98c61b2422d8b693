// Renders the jobs of a command line, several at once on threads of this process.
#pragma once

#include <span>

#include "Console.h"
#include "Jobs.h"
#include "Renderer.h"

namespace cli {

// Renders every job, at most Threads at a time, with one progress line over them; a job
// that fails is told and the others go on. Returns how many failed.
int RenderAll(const TRenderer& Renderer, std::span<const TJob> Jobs, int Threads, TConsole& Console);

}  // namespace cli
