// The operations every writable kind of location offers, as the lock and the publish rely on them.
#include "StoreTestSupport.h"
#include "TransferTestSupport.h"

#include <algorithm>

namespace {

using StorePrimitives = StoreTest;

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST_P(StorePrimitives, EveryWritableKindOffersTheSameOperations)
{
    const auto store = Open();
    ASSERT_EQ(store->SharedName(), "team.dat");
    EXPECT_EQ(store->Fetch("team.dat", nullptr).Result.Status, StoreStatus::NotFound);

    // One member makes the folder; the next is told it exists, which is not a failure.
    const StoreResult made = store->MakeFolder("team.dat.bwlock");
    ASSERT_TRUE(made.IsOk()) << made.Detail;
    EXPECT_EQ(store->MakeFolder("team.dat.bwlock").Status, StoreStatus::Exists);
    EXPECT_TRUE(store->Put("team.dat.bwlock/owner", "me").IsOk());

    // A rename replaces the file of the new name; the same connection serves every operation, in
    // the group's folder each time.
    EXPECT_TRUE(store->Put("team.dat", "old").IsOk());
    EXPECT_TRUE(store->Put("upload", "new version").IsOk());
    const StoreResult renamed = store->Rename("upload", "team.dat");
    ASSERT_TRUE(renamed.IsOk()) << renamed.Detail;
    const FetchResult fetched = store->Fetch("team.dat", nullptr);
    ASSERT_TRUE(fetched.Result.IsOk()) << fetched.Result.Detail;
    EXPECT_EQ(fetched.Bytes, "new version");
    EXPECT_EQ(fetched.BodyBytes, 11U);

    // The validator of the fetch is the file's: an unchanged file is not read again.
    FileValidator now;
    EXPECT_TRUE(store->Stat("team.dat", now).IsOk());
    EXPECT_EQ(now, fetched.Validator);
    const FetchResult again = store->Fetch("team.dat", &fetched.Validator);
    EXPECT_TRUE(again.Unchanged);
    EXPECT_EQ(again.BodyBytes, 0U);

    std::vector<std::string> names;
    ASSERT_TRUE(store->List(names).IsOk());
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{"team.dat", "team.dat.bwlock"}));
    EXPECT_EQ(ReadBytes(OnDisk("team.dat.bwlock") / "owner"), "me");

    EXPECT_TRUE(store->Rename("team.dat.bwlock", "aside").IsOk());
    EXPECT_TRUE(store->Delete("aside/owner").IsOk());
    EXPECT_TRUE(store->RemoveFolder("aside").IsOk());
    EXPECT_FALSE(store->Delete("nothing").IsOk());
    EXPECT_EQ(Names(), std::vector<std::string>{"team.dat"});
}

TEST_P(StorePrimitives, NamesThatWouldSmuggleCommandsAreRefused)
{
    const auto store = Open();
    WriteBytes(OnDisk("victim"), "kept");
    EXPECT_FALSE(store->Delete("x\r\nDELE victim").IsOk());
    EXPECT_FALSE(store->Rename("x\nRNFR victim", "y").IsOk());
    EXPECT_EQ(ReadBytes(OnDisk("victim")), "kept");
}

INSTANTIATE_TEST_SUITE_P(Kinds, StorePrimitives, WritableKinds(), KindName);

} // namespace
