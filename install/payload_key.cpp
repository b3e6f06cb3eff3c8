#include "install/payload_key.h"

#include "install/payload_random.h"

std::string BuildPayloadKey() {
    PayloadRandom random;
    random.Seed(kPayloadSeed);
    std::string key(kPayloadKeyLength, ' ');
    for (char& byte : key) {
        byte = static_cast<char>(random.Next(256));
    }
    return key;
}
