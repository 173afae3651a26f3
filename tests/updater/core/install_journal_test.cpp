// The swap's journal reads back only as it was written: any other line refuses it.

#include <gtest/gtest.h>

#include "updater/core/install_journal.h"

TEST(InstallJournal, ReadsBackWhatWasWrittenAndRefusesEveryOtherLine) {
  const InstallJournal journal{
      {{"plugins"}, {"plugins", "codecs"}},
      {{0, true, true, {"Quendra"}}, {7, false, true, {"plugins", "a.so"}}}};
  const QByteArray bytes = EncodeJournal(journal);
  EXPECT_EQ(bytes,
            "KQUPDATE-JOURNAL 1\nD\tplugins\nD\tplugins/codecs\nF\t0\t1\t1\tQuendra\n"
            "F\t7\t0\t1\tplugins/a.so\nEND\n");
  InstallJournal read;
  ASSERT_TRUE(DecodeJournal(bytes, &read));
  EXPECT_EQ(read.newFolders, journal.newFolders);
  ASSERT_EQ(read.actions.size(), 2u);
  EXPECT_EQ(std::tie(read.actions[1].number, read.actions[1].hasNew, read.actions[1].hasOld,
                     read.actions[1].parts),
            std::tuple(7, false, true, QStringList({"plugins", "a.so"})));

  const QByteArray head = "KQUPDATE-JOURNAL 1\n";
  for (const QByteArray& damaged :
       {QByteArray("KQUPDATE-JOURNAL 2\nEND\n"), head + "END", head + "F\t0\t1\t1\tQuendra\n",
        head + "D\tplugins/\nEND\n", head + "D\tplugins\tx\nEND\n", head + "D\t../x\nEND\n",
        head + "F\t0\t1\t1\nEND\n", head + "F\t0\t1\t1\tQuendra\tx\nEND\n",
        head + "G\t0\t1\t1\tQuendra\nEND\n", head + "F\t-1\t1\t1\tQuendra\nEND\n",
        head + "F\tx\t1\t1\tQuendra\nEND\n", head + "F\t0\t2\t1\tQuendra\nEND\n",
        head + "F\t0\t1\t\tQuendra\nEND\n", head + "F\t0\t1\t1\t/etc/passwd\nEND\n",
        head + "\nEND\n"}) {
    read = journal;
    EXPECT_FALSE(DecodeJournal(damaged, &read)) << damaged.toStdString();
    EXPECT_EQ(read.actions.size(), 2u) << "a refused journal changes nothing";
  }
}
