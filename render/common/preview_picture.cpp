#include "render/common/preview_picture.h"

QImage* PreviewPicture = nullptr;
