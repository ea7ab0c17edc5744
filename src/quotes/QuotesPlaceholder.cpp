// replaced by the quote-series sources
