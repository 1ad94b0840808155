// The device-service library as a C++ interface. The program binds the real
// "HidServ.dll" through BindDeviceService; native tests use the in-process
// simulator, which implements the same interface.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "hidserv/HidServ.h"

namespace kv::device {

class DeviceService {
public:
    virtual ~DeviceService() = default;
    virtual int Init(int flags) = 0;
    virtual int RequestGetDeviceCount(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                      uint32_t check, uint32_t* unit_out) = 0;
    virtual int RequestWriteOne(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) = 0;
    virtual int RequestAsyncRead(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                 uint32_t check, uint32_t* unit_out) = 0;
    virtual int RequestStatusWrite(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                   const uint8_t* data, uint32_t length, uint32_t check,
                                   uint32_t* unit_out) = 0;
    virtual int DeleteRequestFromUnitId(uint32_t unit) = 0;
};

// Looks up one export by name; nullptr when the library lacks it.
using ExportResolver = std::function<void*(const char* name)>;

// The twelve export names, in ABI order.
std::span<const char* const> ExportNames();

// Binds a loaded library. nullptr when any one of the twelve exports is missing.
std::unique_ptr<DeviceService> BindDeviceService(const ExportResolver& resolve);

DeviceSelector MakeSelector(uint16_t usage_page, uint16_t usage);
DeviceSelector VendorSelector();     // 0xFF1C / 0x0092: count, commands, replies
DeviceSelector ConsumerSelector();   // 0x000C / 0x0001
DeviceSelector IndicatorSelector();  // 0x0008 / 0x0089

uint32_t RequestCheck(const DeviceSelector& selector, HidServCallback callback, uint32_t tag,
                      std::span<const uint8_t> data = {});

}  // namespace kv::device
