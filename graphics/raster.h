// Span and block writers for each pixel size: the inner loops of every primitive. Built at -O3.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orventa::raster {

void fill(std::uint8_t* p, std::size_t count, std::uint8_t value);
void fill(std::uint16_t* p, std::size_t count, std::uint16_t value);
void fill(std::uint32_t* p, std::size_t count, std::uint32_t value);

// Every `stride`-th element from p, count of them (a column of pixels).
void fillColumn(std::uint8_t* p, std::size_t count, std::ptrdiff_t strideBytes, std::uint32_t v,
                int bytesPerPixel);

// The first index in [from, end) whose pixel equals `value`, or `end`: the runs a flood fill
// searches are long, so they are compared several pixels at a time.
std::size_t findRight(const std::uint8_t* row, std::size_t from, std::size_t end,
                      std::uint8_t value);
std::size_t findRight(const std::uint16_t* row, std::size_t from, std::size_t end,
                      std::uint16_t value);
std::size_t findRight(const std::uint32_t* row, std::size_t from, std::size_t end,
                      std::uint32_t value);

// The first index in [from, end) whose pixel differs from `value`, or `end`.
std::size_t findRightOther(const std::uint8_t* row, std::size_t from, std::size_t end,
                           std::uint8_t value);
std::size_t findRightOther(const std::uint16_t* row, std::size_t from, std::size_t end,
                           std::uint16_t value);
std::size_t findRightOther(const std::uint32_t* row, std::size_t from, std::size_t end,
                           std::uint32_t value);

// d = d op s over `count` pixels of the given size.
void combineAnd(std::uint8_t* d, const std::uint8_t* s, std::size_t bytes);
void combineOr(std::uint8_t* d, const std::uint8_t* s, std::size_t bytes);
void combineXor(std::uint8_t* d, const std::uint8_t* s, std::size_t bytes);
void combineKeyed(std::uint8_t* d, const std::uint8_t* s, std::size_t pixels, int bytesPerPixel);
void combineBlend(std::uint32_t* d, const std::uint32_t* s, std::size_t pixels);

}  // namespace orventa::raster
