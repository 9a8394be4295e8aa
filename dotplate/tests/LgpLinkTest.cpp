#include "LgpLink.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace dotplate {
namespace {

struct OpenCall {
    std::uint16_t kind;
    std::uint16_t port;
    std::string address;
};

// Controllers that answer on the given ports and addresses; every open and close is recorded.
struct FakeControllers {
    std::set<std::uint16_t> answeringPorts;
    std::set<std::string> answeringAddresses;
    std::vector<OpenCall> opens;
    int closes = 0;
    int betweenTries = 0;

    LgpLinkCalls Calls() {
        return {[this](std::uint16_t kind, std::uint16_t port, const std::string& address) -> std::uint16_t {
                    opens.push_back({kind, port, address});
                    const bool answers = kind == 0 ? answeringPorts.count(port) != 0 || (port == 0 && !answeringPorts.empty())
                                                   : answeringAddresses.count(address) != 0;
                    return answers ? 0 : 1;
                },
                [this]() -> std::uint16_t {
                    ++closes;
                    return 0;
                }};
    }
};

TEST(LgpLinkTest, UsbSearchListsTheAnsweringPortsAndTheChoiceOpensThatPort) {
    FakeControllers controllers;
    controllers.answeringPorts = {3, 7};
    CLgpLink link(controllers.Calls());
    int pumped = 0;
    EXPECT_EQ(link.Search([&] { ++pumped; }), 0);
    ASSERT_EQ(link.portCount, 2);
    EXPECT_EQ(link.ports[0], 3);
    EXPECT_EQ(link.ports[1], 7);
    EXPECT_EQ(controllers.opens.size(), 254u);  // ports 3 to 256
    EXPECT_EQ(controllers.closes, 254);
    EXPECT_EQ(pumped, 254);

    controllers.opens.clear();
    link.usbChoice = 2;
    EXPECT_EQ(link.Open(), 0);
    ASSERT_EQ(controllers.opens.size(), 1u);
    EXPECT_EQ(controllers.opens[0].kind, 0);
    EXPECT_EQ(controllers.opens[0].port, 7);
}

TEST(LgpLinkTest, NetworkSearchStopsAtTheSixteenthAnsweringAddress) {
    FakeControllers controllers;
    for (int host = 100; host <= 150; ++host) {
        controllers.answeringAddresses.insert("192.168.1." + std::to_string(host));
    }
    CLgpLink link(controllers.Calls());
    link.connectionType = CLgpLink::kNetwork;
    EXPECT_EQ(link.Search(), 0);
    EXPECT_EQ(link.addressCount, 16);
    EXPECT_EQ(link.addresses[15], "192.168.1.115");
    EXPECT_EQ(controllers.opens.size(), 16u);

    controllers.opens.clear();
    link.networkChoice = 0;
    link.Open();
    EXPECT_EQ(controllers.opens.at(0).address, "192.168.1.100");
    link.networkChoice = 3;
    link.Open();
    EXPECT_EQ(controllers.opens.at(1).address, "192.168.1.102");
}

TEST(LgpLinkTest, ASearchWithoutAnswersReportsNoneAndAFailedOpenLeavesNothingOpen) {
    FakeControllers controllers;
    CLgpLink link(controllers.Calls());
    link.connectionType = CLgpLink::kNetwork;
    link.networkChoice = 5;  // chosen before: the search forgets it
    EXPECT_EQ(link.Search(), 1);
    EXPECT_EQ(link.addressCount, 0);
    EXPECT_EQ(link.networkChoice, 0);
    EXPECT_EQ(link.addresses[7], "192.168.1.100");

    const int closesBefore = controllers.closes;
    EXPECT_NE(link.Open(), 0);
    EXPECT_EQ(controllers.closes, closesBefore + 1);
}

TEST(LgpLinkTest, TheAddressFieldKeepsTheLastPartWithinTheWorkshopRange) {
    struct Case {
        int typed;
        int kept;
    } cases[] = {{200, 149}, {150, 149}, {149, 149}, {100, 100}, {20, 100}};
    for (const Case& c : cases) {
        EXPECT_EQ(PortDialogAddress(192, 168, 1, c.typed)[3], c.kept) << c.typed;
    }
}

TEST(LgpLinkTest, DocumentNamesAreDigitsAndCapitalsOfAtMostEightCharacters) {
    struct Case {
        std::string typed;
        LgpNameCheck check;
        std::string stored;
    } cases[] = {
        {"ab12", LgpNameCheck::kValid, "AB12"},         {"DEFAULT", LgpNameCheck::kValid, "DEFAULT"},
        {"", LgpNameCheck::kEmpty, ""},                 {"ABCDEFGHI", LgpNameCheck::kTooLong, "ABCDEFGHI"},
        {"AB-1", LgpNameCheck::kInvalidChars, "AB-1"},  {"A B", LgpNameCheck::kInvalidChars, "A B"},
    };
    for (Case c : cases) {
        std::string name = c.typed;
        EXPECT_EQ(CheckDocumentName(name), c.check) << c.typed;
        EXPECT_EQ(name, c.stored);
    }
    EXPECT_STREQ(DocumentNameMessage(LgpNameCheck::kTooLong, 2), "Document name is too long!");
}

}  // namespace
}  // namespace dotplate
