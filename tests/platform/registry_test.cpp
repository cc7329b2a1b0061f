// The file registry: root folder, key directories, value-file formats,
// queries, enumeration and deletion.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/registry.h"
#include "temp_registry.h"
#include "tests/support/file_size_limit.h"

USE_TEMP_REGISTRY();

namespace {

struct KeyCloser {
    void operator()(KEY* key) const { LnRegCloseKey(key); }
};
using KeyHandle = std::unique_ptr<KEY, KeyCloser>;

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

class Registry : public ::testing::Test {
  protected:
    // Each test works under its own key of the local-machine root.
    void SetUp() override {
        name_ =
            std::string("Test\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        KEY* key = nullptr;
        ASSERT_EQ(LnRegCreateKey(LnRegRootKey(LnRegRoot::LocalMachine), name_.c_str(), &key), 0);
        key_.reset(key);
    }
    void TearDown() override {
        LnRegDeleteKey(LnRegRootKey(LnRegRoot::LocalMachine), name_.c_str());
    }

    std::string Directory() const { return LnRegRootFolder() + "/" + key_->Path(); }
    int SetNumber(const char* name, int32_t number) {
        return LnRegSetValue(key_.get(), name, 0, kRegNumber, &number, 4);
    }

    std::string name_;
    KeyHandle key_;
};

TEST(RegistryRoot, FolderFollowsTheEnvironment) {
    EXPECT_EQ(RegistryRootFolder("/opt/x/", "/home/u"), "/opt/x/.corvane");
    EXPECT_EQ(RegistryRootFolder(nullptr, "/home/u"), "/home/u/.corvane");
    EXPECT_EQ(RegistryRootFolder(nullptr, nullptr), "/tmp/.corvane");
    EXPECT_EQ(RegistryRootFolder("", ""), "/tmp/.corvane");
    EXPECT_EQ(RegistryRootFolder("/opt/x//", nullptr), "/opt/x//.corvane");
}

TEST(RegistryRoot, ProcessRegistryLivesUnderRavelohome) {
    EXPECT_EQ(LnRegRootFolder(), TempRegistryEnvironment::Base() + "/.corvane");
    EXPECT_TRUE(IsDirectory(LnRegRootFolder() + "/HKEY_USERS/" + std::to_string(getuid())));
}

TEST(RegistryRoot, RootKeysArePredefinedAndSurviveClose) {
    KEY* root = LnRegRootKey(LnRegRoot::LocalMachine);
    EXPECT_EQ(root->Path(), "HKEY_LOCAL_MACHINE");
    EXPECT_TRUE(root->Predefined());
    EXPECT_EQ(LnRegCloseKey(root), 0);
    EXPECT_EQ(LnRegRootKey(LnRegRoot::DynData)->Path(), "HKEY_DYN_DATA");
    EXPECT_EQ(LnRegRootKey(LnRegRoot::PerformanceData)->Path(), "HKEY_PERFORMANCE_DATA");
}

TEST_F(Registry, CreateKeyMakesEveryDirectoryAndReportsDispositionOne) {
    for (int pass = 0; pass < 2; ++pass) {
        KEY* key = nullptr;
        uint32_t disposition = 0;
        ASSERT_EQ(LnRegCreateKey(key_.get(), "Software\\A\\B", 0, nullptr, 0, 0, nullptr, &key,
                                 &disposition),
                  0);
        KeyHandle owned(key);
        EXPECT_EQ(disposition, 1u);
        EXPECT_EQ(key->Path(), key_->Path() + "/Software/A/B");
        EXPECT_FALSE(key->Predefined());
        EXPECT_TRUE(IsDirectory(Directory() + "/Software/A/B"));
    }
}

TEST_F(Registry, OpenFailsUntilTheKeyIsCreated) {
    KEY* key = nullptr;
    EXPECT_EQ(LnRegOpenKey(key_.get(), "Missing/Sub", &key), -1);
    EXPECT_EQ(key, nullptr);
    KEY* created = nullptr;
    ASSERT_EQ(LnRegCreateKey(key_.get(), "Missing/Sub", &created), 0);
    LnRegCloseKey(created);
    ASSERT_EQ(LnRegOpenKey(key_.get(), "Missing\\Sub", 0, 0, &key), 0);
    KeyHandle owned(key);
    EXPECT_EQ(key->Path(), key_->Path() + "/Missing/Sub");
}

TEST_F(Registry, NumberFileFormatAndQuery) {
    const int32_t twelve = 12;
    ASSERT_EQ(LnRegSetValue(key_.get(), "VOLUME", 0, kRegNumber, &twelve, 4), 0);
    EXPECT_EQ(ReadFile(Directory() + "/VOLUME"), "1:4:12");
    int32_t value = 0;
    uint32_t type = 0;
    uint32_t length = 4;
    ASSERT_EQ(LnRegQueryValue(key_.get(), "VOLUME", nullptr, &type, &value, &length), 0);
    EXPECT_EQ(type, kRegNumber);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(value, 12);
}

TEST_F(Registry, NegativeNumbersRoundTrip) {
    const int32_t number = -7;
    ASSERT_EQ(LnRegSetValue(key_.get(), "N", 0, kRegNumber, &number, 4), 0);
    EXPECT_EQ(ReadFile(Directory() + "/N"), "1:4:-7");
    int32_t value = 0;
    uint32_t length = 4;
    ASSERT_EQ(LnRegQueryValue(key_.get(), "N", nullptr, nullptr, &value, &length), 0);
    EXPECT_EQ(value, -7);
}

TEST_F(Registry, StringFileFormatAndBufferLengths) {
    ASSERT_EQ(LnRegSetValue(key_.get(), "S", 0, kRegString, "hello", 6), 0);
    EXPECT_EQ(ReadFile(Directory() + "/S"), "11:6:hello");
    char small[5];
    uint32_t length = sizeof(small);
    EXPECT_EQ(LnRegQueryValue(key_.get(), "S", nullptr, nullptr, small, &length), -1);
    char exact[6];
    length = sizeof(exact);
    uint32_t type = 0;
    ASSERT_EQ(LnRegQueryValue(key_.get(), "S", nullptr, &type, exact, &length), 0);
    EXPECT_EQ(type, kRegString);
    EXPECT_EQ(length, 6u);
    EXPECT_STREQ(exact, "hello");
}

TEST_F(Registry, UnterminatedStringGetsATerminatorWhenThereIsRoom) {
    ASSERT_EQ(LnRegSetValue(key_.get(), "S", 0, kRegString, "hello", 5), 0);
    char text[8];
    std::memset(text, 'x', sizeof(text));
    uint32_t length = sizeof(text);
    uint32_t type = 0;
    ASSERT_EQ(LnRegQueryValue(key_.get(), "S", nullptr, &type, text, &length), 0);
    EXPECT_EQ(length, 6u);
    EXPECT_STREQ(text, "hello");
}

TEST_F(Registry, StringsMayHoldColonsAndBlanks) {
    const char text[] = "a: b:c ";
    ASSERT_EQ(LnRegSetValue(key_.get(), "S", 0, kRegString, text, sizeof(text)), 0);
    char out[16] = {};
    uint32_t length = sizeof(out);
    ASSERT_EQ(LnRegQueryValue(key_.get(), "S", nullptr, nullptr, out, &length), 0);
    EXPECT_STREQ(out, text);
}

TEST_F(Registry, MalformedOrOverlongFilesReadAsMissing) {
    const char* bad[] = {"1:600:12", "1:4:", "garbage", "7:4:12", "", "1:-1:3"};
    for (const char* text : bad) {
        WriteFile(Directory() + "/BAD", text);
        int32_t value = 0;
        uint32_t length = 4;
        EXPECT_EQ(LnRegQueryValue(key_.get(), "BAD", nullptr, nullptr, &value, &length), -1)
            << text;
    }
    uint32_t length = 4;
    int32_t value = 0;
    EXPECT_EQ(LnRegQueryValue(key_.get(), "NOTHERE", nullptr, nullptr, &value, &length), -1);
    EXPECT_EQ(LnRegQueryValue(key_.get(), nullptr, nullptr, nullptr, &value, &length), -1);
    EXPECT_EQ(LnRegQueryValue(nullptr, "BAD", nullptr, nullptr, &value, &length), -1);
}

TEST_F(Registry, SetRefusesTypesWithoutAFileFormAndOverlongData) {
    const int32_t word = 1;
    EXPECT_EQ(LnRegSetValue(key_.get(), "T", 0, 4, &word, 4), -1);
    std::string big(513, 'a');
    EXPECT_EQ(LnRegSetValue(key_.get(), "T", 0, kRegString, big.c_str(), 513), -1);
    EXPECT_EQ(LnRegSetValue(key_.get(), nullptr, 0, kRegNumber, &word, 4), -1);
    struct stat info {};
    EXPECT_NE(stat((Directory() + "/T").c_str(), &info), 0);
}

TEST_F(Registry, SetReportsAValueFileThatCannotBeWritten) {
    const int32_t word = 1;
    KEY gone(key_->Path() + "/NoSuchKey", false);
    EXPECT_EQ(LnRegSetValue(&gone, "V", 0, kRegNumber, &word, 4), -1);
}

TEST_F(Registry, RewritingAShorterValueLeavesNoTail) {
    ASSERT_EQ(LnRegSetValue(key_.get(), "S", 0, kRegString, "a much longer text", 19), 0);
    ASSERT_EQ(LnRegSetValue(key_.get(), "S", 0, kRegString, "hi", 3), 0);
    EXPECT_EQ(ReadFile(Directory() + "/S"), "11:3:hi");
}

// ---- A disk that fills up while a value is written ----

TEST_F(Registry, AValueSurvivesADiskThatFillsUpWhileItIsRewritten) {
    const char stored[] = "a long stored value";
    ASSERT_EQ(LnRegSetValue(key_.get(), "S", 0, kRegString, stored, 19), 0);
    ASSERT_EQ(ReadFile(Directory() + "/S"), "11:19:a long stored value");
    const std::string longer(300, 'z');
    int result = 0;
    {
        FileSizeLimit disk(4);
        ASSERT_TRUE(disk.Active());
        result = LnRegSetValue(key_.get(), "S", 0, kRegString, longer.c_str(), 301);
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(ReadFile(Directory() + "/S"), "11:19:a long stored value");
    char text[32] = {};
    uint32_t length = sizeof(text);
    ASSERT_EQ(LnRegQueryValue(key_.get(), "S", nullptr, nullptr, text, &length), 0);
    EXPECT_EQ(std::string(text, 19), stored);
    // Nothing is left beside the value: the key still holds exactly one value.
    char name[64];
    uint32_t nameLength = sizeof(name);
    uint32_t type = 0;
    uint32_t dataLength = sizeof(text);
    EXPECT_EQ(LnRegEnumValue(key_.get(), 1, name, &nameLength, nullptr, &type, text, &dataLength),
              259);
}

TEST_F(Registry, ANumberSurvivesADiskThatFillsUpWhileItIsRewritten) {
    ASSERT_EQ(SetNumber("N", 123456), 0);
    {
        FileSizeLimit disk(3);
        ASSERT_TRUE(disk.Active());
        EXPECT_EQ(SetNumber("N", 7), -1);
    }
    EXPECT_EQ(ReadFile(Directory() + "/N"), "1:4:123456");
    EXPECT_EQ(SetNumber("N", 7), 0);
    EXPECT_EQ(ReadFile(Directory() + "/N"), "1:4:7");
}

// ---- Stored numbers mean what they meant with a 32-bit long ----

TEST_F(Registry, StoredNumbersSaturateAtThirtyTwoBits) {
    const std::pair<const char*, int32_t> cases[] = {
        {"1:4:99999999999", INT32_MAX}, {"1:4:-99999999999", INT32_MIN},
        {"1:4:4294967308", INT32_MAX},  // 2^32 + 12 must not read as 12
        {"1:4:2147483647", INT32_MAX},  {"1:4:-2147483648", INT32_MIN},
    };
    for (const auto& [text, expected] : cases) {
        WriteFile(Directory() + "/N", text);
        int32_t value = 0;
        uint32_t length = 4;
        ASSERT_EQ(LnRegQueryValue(key_.get(), "N", nullptr, nullptr, &value, &length), 0) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST_F(Registry, StoredNumbersReadAsDecimalWhateverTheirPrefix) {
    // A leading zero is no octal and "0x" no hexadecimal: the digits are decimal,
    // and reading stops at the first character that is not one.
    const std::pair<const char*, int32_t> cases[] = {
        {"1:4:010", 10}, {"1:4:0x1F", 0}, {"1:4:-010", -10}, {"1:4:0009", 9}};
    for (const auto& [text, expected] : cases) {
        WriteFile(Directory() + "/N", text);
        int32_t value = -1;
        uint32_t length = 4;
        ASSERT_EQ(LnRegQueryValue(key_.get(), "N", nullptr, nullptr, &value, &length), 0) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST_F(Registry, HeaderFieldsBeyondThirtyTwoBitsAreMalformed) {
    // 4294967297 is 2^32 + 1: wrapped to an int it would pass for the number type.
    for (const char* text : {"4294967297:4:12", "1:4294967300:12", "11:4294967299:abc"}) {
        WriteFile(Directory() + "/BAD", text);
        int32_t value = 0;
        uint32_t length = 4;
        EXPECT_EQ(LnRegQueryValue(key_.get(), "BAD", nullptr, nullptr, &value, &length), -1)
            << text;
    }
}

TEST_F(Registry, DeleteValueRemovesTheFile) {
    const int32_t word = 3;
    ASSERT_EQ(LnRegSetValue(key_.get(), "V", 0, kRegNumber, &word, 4), 0);
    EXPECT_EQ(LnRegDeleteValue(key_.get(), "V"), 0);
    EXPECT_EQ(LnRegDeleteValue(key_.get(), "V"), -1);
    EXPECT_EQ(LnRegDeleteValue(key_.get(), nullptr), -1);
}

TEST_F(Registry, EnumKeyCountsOnlySubKeys) {
    for (const char* sub : {"One", "Two"}) {
        KEY* key = nullptr;
        ASSERT_EQ(LnRegCreateKey(key_.get(), sub, &key), 0);
        LnRegCloseKey(key);
    }
    const int32_t word = 1;
    ASSERT_EQ(LnRegSetValue(key_.get(), "AValue", 0, kRegNumber, &word, 4), 0);
    std::string names;
    for (uint32_t index = 0; index < 2; ++index) {
        char name[16];
        uint32_t length = sizeof(name);
        ASSERT_EQ(LnRegEnumKey(key_.get(), index, name, &length), 0);
        EXPECT_EQ(length, 3u);
        names += std::string(name, length);
    }
    EXPECT_TRUE(names == "OneTwo" || names == "TwoOne") << names;
    char name[16];
    uint32_t length = sizeof(name);
    EXPECT_EQ(LnRegEnumKey(key_.get(), 2, name, &length), kRegNoMoreItems);
    length = 2;
    EXPECT_EQ(LnRegEnumKey(key_.get(), 0, name, &length), -1);
}

TEST_F(Registry, EnumValueReturnsNamesTypesAndData) {
    KEY* sub = nullptr;
    ASSERT_EQ(LnRegCreateKey(key_.get(), "Sub", &sub), 0);
    LnRegCloseKey(sub);
    ASSERT_EQ(LnRegSetValue(key_.get(), "Text", 0, kRegString, "hi", 3), 0);
    char name[16];
    uint32_t nameLength = sizeof(name);
    uint32_t type = 0;
    char data[8] = {};
    uint32_t dataLength = sizeof(data);
    ASSERT_EQ(LnRegEnumValue(key_.get(), 0, name, &nameLength, nullptr, &type, data, &dataLength),
              0);
    EXPECT_EQ(std::string(name, nameLength), "Text");
    EXPECT_EQ(type, kRegString);
    EXPECT_EQ(dataLength, 3u);
    EXPECT_STREQ(data, "hi");
    nameLength = sizeof(name);
    EXPECT_EQ(LnRegEnumValue(key_.get(), 1, name, &nameLength, nullptr, &type, data, &dataLength),
              kRegNoMoreItems);
}

TEST_F(Registry, EnumOfAMissingKeyFails) {
    KEY gone(key_->Path() + "/Gone", false);
    char name[8];
    uint32_t length = sizeof(name);
    EXPECT_EQ(LnRegEnumKey(&gone, 0, name, &length), -1);
}

TEST_F(Registry, DeleteKeyRemovesTheWholeTree) {
    KEY* deep = nullptr;
    ASSERT_EQ(LnRegCreateKey(key_.get(), "Tree/Deeper/Deepest", &deep), 0);
    const int32_t word = 5;
    ASSERT_EQ(LnRegSetValue(deep, "V", 0, kRegNumber, &word, 4), 0);
    LnRegCloseKey(deep);
    EXPECT_EQ(LnRegDeleteKey(key_.get(), "Tree"), 0);
    EXPECT_FALSE(IsDirectory(Directory() + "/Tree"));
    EXPECT_EQ(LnRegDeleteKey(key_.get(), "Tree"), -1);
}

TEST_F(Registry, DeleteKeyRefusesAValueFile) {
    const int32_t word = 5;
    ASSERT_EQ(LnRegSetValue(key_.get(), "V", 0, kRegNumber, &word, 4), 0);
    EXPECT_EQ(LnRegDeleteKey(key_.get(), "V"), -1);
}

}  // namespace
