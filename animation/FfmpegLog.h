// FFmpeg prints its own notes and complaints to standard error; ours tell the user what
// went wrong instead, so FFmpeg is kept quiet.
#pragma once

extern "C" {
#include <libavutil/log.h>
}

inline void QuietFfmpeg() { av_log_set_level(AV_LOG_QUIET); }
