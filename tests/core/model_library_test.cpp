#include "document/model_library.h"
#include "test_grids.h"

#include <gtest/gtest.h>

using namespace document;

TEST(ModelLibrary, ReadsModelsClosedByOneCharacterLines) {
    std::vector<Model> models;
    ASSERT_TRUE(ReadModelLibrary("CASA*\r\nA*..*\r\nRE*OK\r\n-\r\n...\r\n.*.\r\n...\r\nx\r\n.....", models));
    ASSERT_EQ(models.size(), 2u);
    EXPECT_EQ(std::pair(models[0].Columns(), models[0].Rows()), std::pair(5, 3));
    EXPECT_EQ(models[0].rows[2], "RE*OK");
    EXPECT_EQ(models[1].Rows(), 3);  // the rows after the last end line are not a model

    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += "...\r\n...\r\n...\r\n-\r\n";
    EXPECT_TRUE(ReadModelLibrary(twelve, models));
    EXPECT_EQ(models.size(), 12u);
}

TEST(ModelLibrary, RefusesWhatIsNotALibrary) {
    const std::string three = "...\r\n...\r\n...\r\n-\r\n";
    std::string thirteen;
    for (int i = 0; i < 13; ++i) thirteen += three;
    const std::string wide = std::string(26, '.') + "\r\n";
    std::string tall;
    for (int i = 0; i < 16; ++i) tall += "...\r\n";
    struct Row {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"lower-case letter", "...\r\n.a.\r\n...\r\n-\r\n"},
        {"blank", "...\r\n. .\r\n...\r\n-\r\n"},
        {"short row", "...\r\n..\r\n...\r\n-\r\n"},
        {"long row", "...\r\n....\r\n...\r\n-\r\n"},
        {"empty line", "...\r\n\r\n...\r\n-\r\n"},
        {"two end lines", three + "-\r\n"},
        {"thirteen models", thirteen},
        {"26 columns", wide + wide + wide + "-\r\n"},
        {"16 rows", tall + "-\r\n"},
        {"two rows", "...\r\n...\r\n-\r\n"},
        {"bare LF lines", "...\n...\n...\n-\n"},
    };
    for (const auto& row : rows) {
        std::vector<Model> models;
        EXPECT_FALSE(ReadModelLibrary(row.bytes, models)) << row.name;
    }
}

TEST(ModelLibrary, NewCrosswordsStartEmptyWithTheirHeader) {
    Crossword doc = testgrids::MakeCrossword({"AB*", "...", "..."});
    doc.Definitions(25, 15, Vertical) = "vecchia";
    MakeCrosswordOfSize(doc, 9, 4, "05-03-1998");
    EXPECT_EQ((std::vector<std::string>{doc.FileLines(1), doc.FileLines(2), doc.FileLines(3), doc.FileLines(4)}),
              (std::vector<std::string>{"Autore     : Zampetti Olindo", "Data       : 05-03-1998",
                                        "Tipo       : Crociate Normale", "Dimensioni : 09x04"}));
    EXPECT_EQ(std::pair(doc.ColumnCount, doc.RowCount), std::pair(9, 4));
    EXPECT_EQ(doc.GridLine(4), std::string(18, '.'));
    EXPECT_EQ(doc.Definitions(25, 15, Vertical), "");

    Model model{{"CA*", ".E.", "*RA"}};
    MakeCrosswordFromModel(doc, model, "28-01-1998");
    EXPECT_EQ(doc.FileLines(4), "Dimensioni : 03x03");
    EXPECT_EQ(doc.GridLine(1), "CCAA**");
    EXPECT_EQ(doc.GridLine(3), "**RRAA");
    EXPECT_EQ(testgrids::RowCells(doc, 2), ".E.");
    EXPECT_EQ(TodayText().size(), 10u);
    EXPECT_EQ(TodayText()[2], '-');
}

TEST(ModelLibrary, TheShippedLibraryHoldsTwelveValidModels) {
    std::string bytes = testgrids::ReadBytes(std::string(QUADRIVO_TEST_DATA) + "/../../data/CRUCINEW.DAT");
    ASSERT_FALSE(bytes.empty());
    std::vector<Model> models;
    ASSERT_TRUE(ReadModelLibrary(bytes, models));
    ASSERT_EQ(models.size(), 12u);
    for (const Model& model : models) {
        EXPECT_TRUE(model.Columns() >= MinColumns && model.Columns() <= MaxColumns) << model.Columns();
        EXPECT_TRUE(model.Rows() >= MinRows && model.Rows() <= MaxRows) << model.Rows();
        // Every model leaves room for words: at least one white cell per row.
        for (const std::string& row : model.rows) EXPECT_NE(row.find_first_not_of('*'), std::string::npos) << row;
    }
}
