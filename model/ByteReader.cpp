#include "model/ByteReader.h"

#include "model/ModelMessages.h"
#include "model/ReadError.h"

namespace plumex {

void ByteReader::refill(std::size_t) {
    throw ReadError(StreamReadError);
}

} // namespace plumex
