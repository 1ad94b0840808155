/* The device-service library's C ABI. One definition, shared by both library
 * builds (hid, sim) and by the program's binding in device/service. */
#ifndef KELVARIN_HIDSERV_H
#define KELVARIN_HIDSERV_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && defined(HIDSERV_BUILD)
#define HIDSERV_API __declspec(dllexport)
#else
#define HIDSERV_API
#endif

/* Names one top-level collection of the keyboard. */
typedef struct DeviceSelector {
    uint32_t size_tag;   /* always HIDSERV_SELECTOR_TAG */
    uint16_t vendor_id;
    uint16_t product_id;
    uint16_t usage_page;
    uint16_t usage;
    uint8_t reserved[4]; /* zero */
} DeviceSelector;

/* Passed with every notification; library-owned, valid during the callback. */
typedef struct RequestRecord {
    uint32_t tag;
    uint32_t count;        /* byte count (kind 1) or attached devices (kind 0) */
    const uint8_t* data;   /* report bytes (vendor channel) */
    const uint8_t* consumer_block; /* consumer channel: the report pointer sits at
                                      HIDSERV_CONSUMER_DATA_OFFSET, unaligned */
} RequestRecord;

typedef struct NotificationRecord {
    int32_t kind; /* HIDSERV_KIND_INPUT or HIDSERV_KIND_COUNT */
    int32_t reserved;
    const RequestRecord* request;
} NotificationRecord;

typedef int (*HidServCallback)(const NotificationRecord*);

#define HIDSERV_SELECTOR_TAG 0x0000000Fu
#define HIDSERV_VENDOR_ID 0x0C45u
#define HIDSERV_PRODUCT_ID 0x7505u
#define HIDSERV_KIND_COUNT 0
#define HIDSERV_KIND_INPUT 1
#define HIDSERV_CONSUMER_DATA_OFFSET 28
#define HIDSERV_CONSUMER_BLOCK_SIZE 36

#define HIDSERV_TAG_CONS 0x434F4E53u
#define HIDSERV_TAG_CTRL 0x4354524Cu
#define HIDSERV_TAG_LED 0x004C4544u

#define HIDSERV_PAGE_VENDOR 0xFF1Cu
#define HIDSERV_USAGE_VENDOR 0x0092u
#define HIDSERV_PAGE_CONSUMER 0x000Cu
#define HIDSERV_USAGE_CONSUMER 0x0001u
#define HIDSERV_PAGE_INDICATOR 0x0008u
#define HIDSERV_USAGE_INDICATOR 0x0089u

/* Every request carries the sum of CheckTable[b] over the selector's 16 bytes,
 * the callback pointer's low 4 bytes (0 when none), the 4 tag bytes and the
 * data bytes. Both library builds refuse (return 0) a request whose check is wrong. */
static const uint8_t CheckTable[256] = {
    0x04, 0x0E, 0xEA, 0xC0, 0x21, 0xB7, 0x66, 0x60, 0x68, 0xF1, 0x1E, 0x73, 0x2A, 0x2B, 0x29, 0x4F,
    0x61, 0x3F, 0xA5, 0xE1, 0xAD, 0x0D, 0x65, 0xC6, 0xDB, 0xED, 0x46, 0x82, 0xF2, 0x30, 0xAE, 0x86,
    0x87, 0xD7, 0x23, 0x15, 0x95, 0xD1, 0xBB, 0x0A, 0xA6, 0x49, 0x57, 0xC7, 0xF6, 0x0B, 0x7B, 0x9A,
    0xB4, 0x7F, 0x70, 0x9D, 0xDD, 0x74, 0x13, 0xCE, 0x77, 0x25, 0x3E, 0xFF, 0xD4, 0xA7, 0x93, 0x8C,
    0xEE, 0x1C, 0x24, 0x9F, 0x71, 0x85, 0x2D, 0x3D, 0x4D, 0xA0, 0x78, 0x27, 0x41, 0x55, 0xBD, 0x2F,
    0xE9, 0xF0, 0x40, 0x53, 0x32, 0xCA, 0xAA, 0xFB, 0x54, 0x8B, 0x48, 0x1F, 0x59, 0x75, 0x8D, 0x5B,
    0xD0, 0x28, 0xAF, 0xC1, 0xB2, 0x4B, 0x83, 0x36, 0x2C, 0x26, 0x63, 0x1A, 0x22, 0x7A, 0x4C, 0x98,
    0xB8, 0x39, 0x94, 0xE5, 0x00, 0xB3, 0x7C, 0x02, 0x72, 0x0F, 0x6C, 0x97, 0x99, 0xC4, 0x47, 0x7E,
    0x9C, 0x07, 0xA3, 0x51, 0x2E, 0xB1, 0x6A, 0xFA, 0xD8, 0x8F, 0xF3, 0x80, 0xE2, 0x6F, 0x8E, 0xA4,
    0x38, 0xB9, 0x8A, 0xF8, 0x42, 0x79, 0xAB, 0x05, 0x6B, 0x06, 0x76, 0xD5, 0xF9, 0xC8, 0x44, 0xD9,
    0x4E, 0x56, 0x6E, 0xE3, 0x58, 0x09, 0xDA, 0x11, 0xAC, 0xCF, 0x12, 0x35, 0xF4, 0x20, 0x3A, 0xFE,
    0xCD, 0xE6, 0x31, 0xC2, 0xA2, 0x3B, 0xDC, 0x91, 0xDF, 0x33, 0x43, 0x01, 0x81, 0xE7, 0xC5, 0x1D,
    0x52, 0x08, 0x64, 0xD3, 0x5F, 0xB6, 0xB5, 0x92, 0x96, 0xBA, 0x88, 0x10, 0x9E, 0x69, 0x62, 0x90,
    0xE0, 0xB0, 0x0C, 0xA8, 0xF7, 0xCC, 0xCB, 0xE4, 0xFC, 0xD2, 0xE8, 0x7D, 0x19, 0x37, 0x18, 0x3C,
    0xD6, 0x34, 0x1B, 0xBC, 0xA9, 0xEB, 0x16, 0x17, 0xA1, 0x67, 0x5C, 0xC3, 0xEC, 0x50, 0x9B, 0x5E,
    0xDE, 0xFD, 0xBF, 0x5A, 0x14, 0x03, 0xBE, 0x89, 0xF5, 0xC9, 0x84, 0x4A, 0x5D, 0xEF, 0x45, 0x6D,
};

static inline uint32_t HidServCheckBytes(uint32_t sum, const void* bytes, size_t n) {
    const uint8_t* p = (const uint8_t*)bytes;
    for (size_t i = 0; i < n; ++i) sum += CheckTable[p[i]];
    return sum;
}

/* Check value of one request; data may be NULL when length is 0. */
static inline uint32_t HidServRequestCheck(const DeviceSelector* selector, HidServCallback callback,
                                           uint32_t tag, const uint8_t* data, uint32_t length) {
    uint64_t cb = (uint64_t)(uintptr_t)callback;
    uint8_t cb_low[4] = {(uint8_t)cb, (uint8_t)(cb >> 8), (uint8_t)(cb >> 16), (uint8_t)(cb >> 24)};
    uint8_t tag_bytes[4] = {(uint8_t)tag, (uint8_t)(tag >> 8), (uint8_t)(tag >> 16), (uint8_t)(tag >> 24)};
    uint32_t sum = HidServCheckBytes(0, selector, sizeof(DeviceSelector));
    sum = HidServCheckBytes(sum, cb_low, 4);
    sum = HidServCheckBytes(sum, tag_bytes, 4);
    if (data && length) sum = HidServCheckBytes(sum, data, length);
    return sum;
}

/* The twelve exports. The program calls the first six. */
typedef int (*HidServ_Init)(int);
typedef int (*HidServ_RequestGetDeviceCount)(const DeviceSelector*, HidServCallback, uint32_t tag,
                                             uint32_t check, uint32_t* unit_out);
typedef int (*HidServ_RequestWriteOne)(const DeviceSelector*, HidServCallback, uint32_t tag,
                                       const uint8_t* data, uint32_t length, uint32_t check,
                                       uint32_t* unit_out);
typedef int (*HidServ_RequestAsyncRead)(const DeviceSelector*, HidServCallback, uint32_t tag,
                                        uint32_t check, uint32_t* unit_out);
typedef int (*HidServ_RequestStatusWrite)(const DeviceSelector*, HidServCallback, uint32_t tag,
                                          const uint8_t* data, uint32_t length, uint32_t check,
                                          uint32_t* unit_out);
typedef int (*HidServ_DeleteRequestFromUnitId)(uint32_t unit);
typedef int (*HidServ_Debug)(int);
typedef int (*HidServ_End)(void);
typedef int (*HidServ_DeleteRequestFromHandle)(void* handle);
typedef int (*HidServ_RequestWrite)(const DeviceSelector*, HidServCallback, uint32_t tag,
                                    const uint8_t* data, uint32_t length, uint32_t check,
                                    uint32_t* unit_out);
typedef int (*HidServ_RequestStatusGet)(const DeviceSelector*, HidServCallback, uint32_t tag,
                                        uint32_t check, uint32_t* unit_out);
typedef int (*HidServ_RequestStatusSetFeature)(const DeviceSelector*, HidServCallback, uint32_t tag,
                                               const uint8_t* data, uint32_t length, uint32_t check,
                                               uint32_t* unit_out);

#ifdef __cplusplus
}
static_assert(sizeof(DeviceSelector) == 16, "selector is 16 bytes");
static_assert(offsetof(DeviceSelector, usage_page) == 8 && offsetof(DeviceSelector, reserved) == 12, "selector layout");
static_assert(offsetof(RequestRecord, data) == 8 && offsetof(RequestRecord, consumer_block) == 16, "record layout");
static_assert(offsetof(NotificationRecord, request) == 8, "notification layout");
#endif

#endif
