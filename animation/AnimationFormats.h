// The writer of each animation format, each behind the file of its library.
#pragma once

#include <memory>
#include <string>

#include "AnimationWriter.h"

std::unique_ptr<TAnimationWriter> OpenGifWriter(const std::string& Path, const TAnimationSettings& Settings);
std::unique_ptr<TAnimationWriter> OpenWebPWriter(const std::string& Path, const TAnimationSettings& Settings);
// H.264 in MP4 (Vp9 false) or VP9 in WebM (Vp9 true).
std::unique_ptr<TAnimationWriter> OpenVideoWriter(const std::string& Path, const TAnimationSettings& Settings, bool Vp9);
// Folder ends in '/'; it is made when missing.
std::unique_ptr<TAnimationWriter> OpenPngFolderWriter(const std::string& Folder, const TAnimationSettings& Settings);
