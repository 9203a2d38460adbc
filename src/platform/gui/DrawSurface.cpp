#include "platform/gui/DrawSurface.h"

namespace platform {

int DeviceMetrics::value(DeviceCap cap) const {
    switch (cap) {
    case DeviceCap::LogPixelsX:
        return logPixelsX;
    case DeviceCap::LogPixelsY:
        return logPixelsY;
    case DeviceCap::PhysicalWidth:
        return physicalWidth;
    case DeviceCap::PhysicalHeight:
        return physicalHeight;
    case DeviceCap::PhysicalOffsetX:
        return physicalOffsetX;
    case DeviceCap::PhysicalOffsetY:
        return physicalOffsetY;
    }
    return 0;
}

} // namespace platform
