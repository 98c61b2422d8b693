#include "ProgressBar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using cli::ProgressBar;

TEST(CliProgressBar, RedrawsOnlyWhenThePercentageChangesAndEndsTheLineAt100) {
    char* Buffer = nullptr;
    std::size_t Size = 0;
    std::FILE* Stream = open_memstream(&Buffer, &Size);
    ASSERT_NE(Stream, nullptr);
    {
        ProgressBar Bar(Stream);
        Bar.Show(0);
        Bar.Show(0);
        Bar.Show(50);
        Bar.Show(100);
    }
    std::fclose(Stream);
    const std::string Text(Buffer, Size);
    std::free(Buffer);
    const std::string Empty(40, '.'), Half = std::string(20, '#') + std::string(20, '.'), Full(40, '#');
    EXPECT_EQ(Text, "\r[" + Empty + "]   0%\r[" + Half + "]  50%\r[" + Full + "] 100%\n");
}
