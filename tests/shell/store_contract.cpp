#include "shell/store_contract.h"

#include "base/error.h"

#include <gmock/gmock.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

const std::string kInstall(kInstallationKey);
const std::string kMerchant111 = kInstall + "\\111";

void writeInstallation(SettingsStore& store, std::string_view name, std::string_view value) {
    store.writeValue(kInstallationKey, name, RegValue::string(value));
}

} // namespace

void StoreContract::SetUp() {
    m_location = GetParam().newLocation();
    m_store = GetParam().open(m_location);
}

void StoreContract::TearDown() {
    m_store.reset();
    if (GetParam().discard)
        GetParam().discard(m_location);
}

TEST_P(StoreContract, MissingKeysValuesAndOtherTypesReadEmpty) {
    EXPECT_EQ(m_store->readInstallation("Serial"), "");
    EXPECT_FALSE(m_store->keyExists(kInstallationKey)) << "reading must not create the key";

    writeInstallation(*m_store, "Serial", "111");
    m_store->writeValue(kInstallationKey, "Count", {RegType::Dword, std::string("\x05\0\0\0", 4)});
    m_store->writeValue(kInstallationKey, "Path", {RegType::ExpandString, "x"});
    EXPECT_EQ(m_store->readInstallation("Serial"), "111");
    EXPECT_EQ(m_store->readInstallation("Company"), "");
    EXPECT_EQ(m_store->readInstallation("Count"), "");
    EXPECT_EQ(m_store->readInstallation("Path"), "");

    m_store->setMerchantNumber("111");
    m_store->writeValue(kMerchant111, "OSta", {RegType::Dword, std::string("\x01\0\0\0", 4)});
    EXPECT_EQ(m_store->readMerchant("OSta"), "");
}

TEST_P(StoreContract, MerchantKeyIsCreatedByItsFirstReadAndWrite) {
    m_store->setMerchantNumber("111");
    EXPECT_EQ(m_store->merchantKeyPath(), kMerchant111);
    EXPECT_FALSE(m_store->keyExists(kMerchant111));
    EXPECT_EQ(m_store->readMerchant("OURL"), "");
    EXPECT_TRUE(m_store->keyExists(kMerchant111));
    EXPECT_TRUE(m_store->values(kMerchant111).empty());

    // A write to a missing key keeps its value instead of only creating the key.
    m_store->setMerchantNumber("222");
    m_store->writeMerchant("OURL", "http://shop.example/");
    EXPECT_EQ(m_store->readMerchant("OURL"), "http://shop.example/");
}

TEST_P(StoreContract, SwitchingMerchantRedirectsReadsAndWrites) {
    m_store->setMerchantNumber("111");
    m_store->writeMerchant("Currency", "EUR");
    m_store->setMerchantNumber("222");
    EXPECT_EQ(m_store->readMerchant("Currency"), "");
    m_store->writeMerchant("Currency", "GBP");
    m_store->setMerchantNumber("111");
    EXPECT_EQ(m_store->readMerchant("Currency"), "EUR");
    EXPECT_THAT(m_store->subkeys(kInstallationKey), ElementsAre("111", "222"));
}

TEST_P(StoreContract, WithoutMerchantNumberTheBarePrefixIsTheInstallationKey) {
    writeInstallation(*m_store, "OURL", "http://installer.example/");
    EXPECT_EQ(m_store->merchantKeyPath(), kInstall + "\\");
    EXPECT_EQ(m_store->readMerchant("OURL"), "http://installer.example/");
    m_store->writeMerchant("Currency", "EUR");
    EXPECT_EQ(m_store->readInstallation("Currency"), "EUR");
    EXPECT_TRUE(m_store->subkeys(kInstallationKey).empty());
}

TEST_P(StoreContract, NamesAndPathsIgnoreCaseAndLaterWritesReplace) {
    m_store->setMerchantNumber("111");
    m_store->writeMerchant("OURL", "first");
    m_store->writeMerchant("ourl", "second");
    EXPECT_EQ(m_store->readMerchant("OURL"), "second");
    RegValue value;
    ASSERT_TRUE(m_store->readValue("SOFTWARE\\kestrune\\VENDAXO\\111", "Ourl", value));
    EXPECT_EQ(value, RegValue::string("second"));
    EXPECT_EQ(m_store->values(kMerchant111).size(), 1u);
}

TEST_P(StoreContract, TextIsKeptByteForByteAndSurvivesReopening) {
    const std::string awkward =
        "line one\r\nline \"two\"\n\ttab \\ backslash; é € \xF0\x9F\x9B\x92";
    const std::string longText(100000, 'x');
    m_store->setMerchantNumber("111");
    m_store->writeMerchant("OCnf", awkward);
    m_store->writeMerchant("POptionData", longText);
    m_store->writeMerchant("Empty", "");
    writeInstallation(*m_store, "Company", "Ünïcode GmbH");
    m_store.reset();

    auto again = reopen();
    again->setMerchantNumber("111");
    EXPECT_EQ(again->readMerchant("OCnf"), awkward);
    EXPECT_EQ(again->readMerchant("POptionData"), longText);
    EXPECT_EQ(again->readInstallation("Company"), "Ünïcode GmbH");
    RegValue empty;
    EXPECT_TRUE(again->readValue(kMerchant111, "Empty", empty)) << "an empty value still exists";
}

// In no particular order: the registry promises none.
TEST_P(StoreContract, EnumeratesSubkeysAndValues) {
    m_store->createKey(kMerchant111 + "\\Nested\\Deeper");
    EXPECT_TRUE(m_store->keyExists(kMerchant111)) << "ancestors are created too";
    EXPECT_THAT(m_store->subkeys(kMerchant111), ElementsAre("Nested"));
    m_store->setMerchantNumber("111");
    m_store->writeMerchant("b", "2");
    m_store->writeMerchant("a", "1");
    m_store->writeMerchant("B", "3");
    EXPECT_THAT(m_store->values(kMerchant111),
                UnorderedElementsAre(NamedValue{"b", RegValue::string("3")},
                                     NamedValue{"a", RegValue::string("1")}))
        << "a value keeps the name it was first written with";
}

TEST_P(StoreContract, WriteAllCreatesEveryKeyAndValue) {
    m_store->writeAll(
        {{kInstall, {{"Serial", RegValue::string("111;222")}}},
         {kInstall + "\\222",
          {{"OURL", RegValue::string("u")}, {"Blob", {RegType::Binary, std::string("\0\1", 2)}}}}});
    EXPECT_EQ(m_store->readInstallation("Serial"), "111;222");
    m_store->setMerchantNumber("222");
    EXPECT_EQ(m_store->readMerchant("OURL"), "u");
    RegValue blob;
    ASSERT_TRUE(m_store->readValue(kInstall + "\\222", "Blob", blob));
    EXPECT_EQ(blob.data, std::string("\0\1", 2));
}

#ifndef _WIN32
TEST_P(StoreContract, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kWrites = 200;
    m_store.reset();
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            int status = 0;
            try {
                auto store = GetParam().open(m_location);
                store->setMerchantNumber("111");
                for (int i = 0; i < kWrites; ++i)
                    store->writeMerchant("v" + std::to_string(child) + "_" + std::to_string(i),
                                         std::to_string(i));
            } catch (...) {
                status = 1;
            }
            _exit(status);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
    }
    auto store = reopen();
    store->setMerchantNumber("111");
    for (int child = 0; child < 2; ++child) {
        for (int i = 0; i < kWrites; ++i)
            ASSERT_EQ(store->readMerchant("v" + std::to_string(child) + "_" + std::to_string(i)),
                      std::to_string(i));
    }
}
#endif

} // namespace vendaxo::test
