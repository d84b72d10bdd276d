// SPDX-License-Identifier: GPL-3.0-or-later
// tamsor-batch's JSON documents read back by Qt's JSON reader, as a script
// in any language would read them.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <string>

#include "batch_test_support.h"

namespace {

using tamsor::testing::batch;
using tamsor::testing::kHallLoads;
using tamsor::testing::ProgramRun;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

// One document per line, each read on its own.
std::vector<QJsonObject> documents(const std::string& output) {
    std::vector<QJsonObject> read;
    const QStringList lines = QString::fromStdString(output).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError)
            << error.errorString().toStdString() << " in " << line.toStdString();
        read.push_back(document.object());
    }
    return read;
}

TEST(Json, TheHallWithItsScheduleForFourTypes) {
    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    write_file(data, kHallLoads);
    const ProgramRun run =
        batch({"--method", "optimal", "--types", "4", "--format", "json", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    const auto read = documents(run.out);
    ASSERT_EQ(read.size(), 1u);
    const QJsonObject& document = read.front();
    EXPECT_EQ(document["data_file"].toString().toStdString(), data);
    EXPECT_EQ(document["technique"].toString(), "Optimal");

    const QJsonArray sets = document["result_sets"].toArray();
    ASSERT_EQ(sets.size(), 9);
    for (int n = 1; n <= 9; ++n) {
        const QJsonObject set = sets[n - 1].toObject();
        EXPECT_EQ(set["type_count"].toInt(), n);
        EXPECT_EQ(set["status"].toString(), "ok");
        EXPECT_EQ(set["types"].toArray().size(), n);
    }
    const QJsonObject four = sets[3].toObject();
    EXPECT_DOUBLE_EQ(four["pooled_variance"].toDouble(), 947.22);
    const QJsonObject third = four["types"].toArray()[2].toObject();
    EXPECT_EQ(third["isolators"].toInt(), 3);
    EXPECT_DOUBLE_EQ(third["smallest"].toDouble(), 1600);
    EXPECT_DOUBLE_EQ(third["largest"].toDouble(), 1640);
    EXPECT_DOUBLE_EQ(third["mean"].toDouble(), 1613.33);

    const QJsonObject schedule = document["schedule"].toObject();
    EXPECT_EQ(schedule["type_count"].toInt(), 4);
    EXPECT_DOUBLE_EQ(
        schedule["types"].toArray()[1].toObject()["largest_above_mean_percent"].toDouble(), 5.3);
    const QJsonArray isolators = schedule["isolators"].toArray();
    ASSERT_EQ(isolators.size(), 12);
    const QJsonObject last = isolators[11].toObject();
    EXPECT_EQ(last["line"].toInt(), 14);
    EXPECT_DOUBLE_EQ(last["load"].toDouble(), 1600);
    EXPECT_EQ(last["type"].toInt(), 3);
    EXPECT_EQ(last["label"].toString(), "last, \"quoted\" and more");
    EXPECT_EQ(isolators[1].toObject()["label"].toString(), "corner \"C1\"");
}

TEST(Json, ComparedGivesEveryRunInTurn) {
    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    write_file(data, kHallLoads);
    const ProgramRun run = batch({"--compare", "--format", "json", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    const auto read = documents(run.out);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[0]["technique"].toString(), "Method 1");
    EXPECT_EQ(read[1]["technique"].toString(), "Method2");
    EXPECT_EQ(read[2]["technique"].toString(), "Optimal");
    EXPECT_EQ(read[3]["technique"].toString(), "Least spread");
    // Six types: Optimal's leave 20 / 520 = 3.8 %, Least spread's 40 / 1640 = 2.4 %.
    EXPECT_DOUBLE_EQ(
        read[2]["result_sets"].toArray()[5].toObject()["worst_spread_percent"].toDouble(), 3.8);
    EXPECT_DOUBLE_EQ(
        read[3]["result_sets"].toArray()[5].toObject()["worst_spread_percent"].toDouble(), 2.4);
    EXPECT_TRUE(read[3]["tolerance_percent"].isNull());
    // Method 1 stops at three types: sets 3 to 9 not reached, with no figures.
    const QJsonObject notReached = read[0]["result_sets"].toArray()[2].toObject();
    EXPECT_EQ(notReached["status"].toString(), "not reached");
    EXPECT_TRUE(notReached["pooled_variance"].isNull());
    EXPECT_TRUE(notReached["types"].toArray().isEmpty());
    EXPECT_DOUBLE_EQ(read[1]["result_sets"].toArray()[2].toObject()["pooled_variance"].toDouble(),
                     39625);
    EXPECT_TRUE(read[3]["schedule"].isNull());
}

}  // namespace
