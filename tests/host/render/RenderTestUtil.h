// Helpers of the render tests: a drawing built in memory (layers, entities in model space),
// pictures rendered into a temporary folder and read back pixel by pixel.
#pragma once

#include "host/render/DrawingRenderer.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace rendertest {

struct Pixel {
    int r = 0, g = 0, b = 0;
    bool near(int R, int G, int B, int tolerance = 8) const
    {
        return std::abs(r - R) <= tolerance && std::abs(g - G) <= tolerance && std::abs(b - B) <= tolerance;
    }
    bool isWhite() const { return near(255, 255, 255, 2); }
    bool isDark() const { return r + g + b < 3 * 128; }
};

inline std::ostream& operator<<(std::ostream& os, const Pixel& p)
{
    return os << "rgb(" << p.r << "," << p.g << "," << p.b << ")";
}

// A picture read back from a PNG file.
class Picture {
public:
    explicit Picture(const std::string& png) : m_surface(cairo_image_surface_create_from_png(png.c_str())) {}
    explicit Picture(cairo_surface_t* surface) : m_surface(surface) {}
    ~Picture() { cairo_surface_destroy(m_surface); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool ok() const { return cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(m_surface); }
    int height() const { return cairo_image_surface_get_height(m_surface); }
    Pixel at(int x, int y) const
    {
        const unsigned char* row = cairo_image_surface_get_data(m_surface) + y * cairo_image_surface_get_stride(m_surface);
        const std::uint32_t v = reinterpret_cast<const std::uint32_t*>(row)[x];
        return {int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF)};
    }
    // Pixels of the rectangle [x0, x1) × [y0, y1) for which pred holds.
    template <class Pred>
    int count(int x0, int y0, int x1, int y1, Pred pred) const
    {
        int n = 0;
        for (int y = std::max(y0, 0); y < std::min(y1, height()); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, width()); ++x)
                n += pred(at(x, y)) ? 1 : 0;
        return n;
    }

private:
    cairo_surface_t* m_surface;
};

// A drawing made in the test, the working database while the fixture lives. Pictures show
// the window (0,0)-(100,100) at 200×200 pixels unless told otherwise: world (x, y) is
// device (2x, 200 - 2y), so a line at y = k + 0.25 runs through the centres of row 199 - 2k.
class RenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_db = std::make_unique<AcDbDatabase>(true);
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        m_dir = std::filesystem::temp_directory_path() /
                ("render-test-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
        m_options.window = dh::render::Window{0.0, 0.0, 100.0, 100.0};
        m_options.width = 200;
        m_options.height = 200;
    }
    void TearDown() override
    {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        m_db.reset();
        // DH_KEEP_PICTURES=1 keeps them for a look.
        std::error_code ec;
        if (!std::getenv("DH_KEEP_PICTURES"))
            std::filesystem::remove_all(m_dir, ec);
    }

    AcDbObjectId add(AcDbEntity* entity, AcDbObjectId blockId = AcDbObjectId())
    {
        AcDbBlockTableRecord* block = nullptr;
        EXPECT_EQ(acdbOpenObject(block, blockId.isNull() ? m_db->modelSpaceId() : blockId, AcDb::kForWrite),
                  Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(block->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        block->close();
        return id;
    }

    AcDbObjectId layer(const char* name, int colorIndex, bool off = false, bool frozen = false)
    {
        AcDbLayerTable* table = nullptr;
        EXPECT_EQ(m_db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbLayerTableRecord;
        record->setName(name);
        AcCmColor color;
        color.setColorIndex(static_cast<Adesk::UInt16>(colorIndex));
        record->setColor(color);
        record->setIsOff(off);
        record->setIsFrozen(frozen);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, record), Acad::eOk);
        record->close();
        table->close();
        return id;
    }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    // Renders to NAME in the test's folder; the picture read back.
    std::unique_ptr<Picture> render(const std::string& name = "picture.png")
    {
        const dh::render::RenderResult result = dh::render::renderDrawing(*m_db, m_options, path(name));
        EXPECT_TRUE(result.ok()) << result.error;
        return std::make_unique<Picture>(path(name));
    }

    std::unique_ptr<AcDbDatabase> m_db;
    dh::render::RenderOptions m_options;
    std::filesystem::path m_dir;
};

}  // namespace rendertest
