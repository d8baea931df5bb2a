// Running a job: validation, spell checking, the text tools and the link check, each giving a result handle.
#pragma once

#include "engine/ZubValidator.h"

namespace zubengine {

// Runs the job JobH with the configuration ConfigH (the engine's lock held); the new result handle, or -1 when
// either handle is unknown or the job cannot run.
ZUBInt RunJobLocked(ZUBInt ConfigH, ZUBInt JobH, ZUBInt RunFlags);

}  // namespace zubengine
