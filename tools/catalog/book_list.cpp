// book_list <catalog> <books.csv>
// Writes the list of a catalog's books as CSV, for the disc's data folder.
#include "BookList.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: book_list <catalog> <books.csv>\n";
        return 2;
    }
    try {
        const std::string csv = tools::BookListCsv(argv[1]);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        if (!out.write(csv.data(), static_cast<std::streamsize>(csv.size())).flush()) {
            std::cerr << "book_list: cannot write " << argv[2] << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "book_list: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
