// Creating and editing the assignment block. The caller holds the lock of the
// set the block belongs to.
#pragma once

#include <cstdint>
#include <span>

#include "model/assign/assignment_block.h"
#include "model/macro/macro_record.h"

namespace kv::model {

// Header for a block followed by macro_count records and a string area of
// string_size bytes; the checksum is filled in last.
void WriteBlockHeader(AssignmentBlock& block, uint16_t macro_count, uint32_t string_size, uint8_t flag = 0);
// Sum of header bytes 0..30, modulo 256.
uint8_t BlockHeaderChecksum(const BlockHeader& header);
void WriteBlockDescriptor(AssignmentBlock& block);

// Header for no macros and no strings, the descriptor, all entries zero except
// the G ids in the G-key entries of profile 0. nullptr when memory is short.
AssignmentBlockPtr NewAssignmentBlock(uint8_t flag = 0);
// Fills an existing block the same way.
void InitAssignmentBlock(AssignmentBlock& block, uint8_t flag = 0);

// Zeroes one profile's entries, then gives its G-key entries their G ids.
void ClearProfileAssignments(std::span<KeyAssignment, kAssignmentsPerProfile> entries);

// A zero entry for a profile or key index out of range.
KeyAssignment ReadAssignment(const AssignmentBlock& block, int profile, int key_index);
// Stores all 16 bytes; false (nothing stored) when out of range.
bool WriteAssignment(AssignmentBlock& block, int profile, int key_index, const KeyAssignment& entry);

}  // namespace kv::model
