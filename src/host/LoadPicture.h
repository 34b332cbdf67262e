// Pictures from files, as the host loads them: bitmap, PNG, JPEG and GIF files (the first frame)
// for now.
#pragma once

#include <memory>
#include <string>

#include "host/StdPicture.h"

namespace orvane {

// The picture in a file; error 53 when the file cannot be read, 481 when it holds no picture
// this host reads.
std::shared_ptr<StdPicture> LoadPicture(const std::u16string& path);

}  // namespace orvane
