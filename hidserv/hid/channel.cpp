#include "hidserv/hid/channel.h"

namespace kv::hidserv {
namespace {

Channel ChannelOfUsage(uint16_t usage_page, uint16_t usage) {
    if (usage_page == HIDSERV_PAGE_VENDOR && usage == HIDSERV_USAGE_VENDOR) return Channel::kVendor;
    if (usage_page == HIDSERV_PAGE_CONSUMER && usage == HIDSERV_USAGE_CONSUMER) return Channel::kConsumer;
    if (usage_page == HIDSERV_PAGE_INDICATOR && usage == HIDSERV_USAGE_INDICATOR) return Channel::kIndicator;
    return Channel::kNone;
}

}  // namespace

Channel ChannelOfSelector(const DeviceSelector* selector) {
    if (selector == nullptr || selector->size_tag != HIDSERV_SELECTOR_TAG ||
        selector->vendor_id != HIDSERV_VENDOR_ID || selector->product_id != HIDSERV_PRODUCT_ID)
        return Channel::kNone;
    for (uint8_t b : selector->reserved)
        if (b != 0) return Channel::kNone;
    return ChannelOfUsage(selector->usage_page, selector->usage);
}

Channel ChannelOfCaps(const HidCaps& caps) {
    if (caps.vendor_id != HIDSERV_VENDOR_ID || caps.product_id != HIDSERV_PRODUCT_ID) return Channel::kNone;
    return ChannelOfUsage(caps.usage_page, caps.usage);
}

Access AccessFor(Channel channel) {
    switch (channel) {
        case Channel::kConsumer:
            return Access::kRead;
        case Channel::kIndicator:
            return Access::kWrite;
        case Channel::kVendor:
        case Channel::kNone:
            break;
    }
    return Access::kReadWrite;
}

const char* ChannelName(Channel channel) {
    switch (channel) {
        case Channel::kVendor:
            return "vendor channel";
        case Channel::kConsumer:
            return "consumer control";
        case Channel::kIndicator:
            return "indicator output";
        case Channel::kNone:
            break;
    }
    return "-";
}

}  // namespace kv::hidserv
